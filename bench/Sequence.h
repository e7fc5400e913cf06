#pragma once

// A fixed pseudo-random sequence, so that every run of a benchmark builds the same input.
class Sequence
{
public:
    unsigned next(unsigned bound)
    {
        m_state = m_state * 1103515245u + 12345u;
        return (m_state >> 16) % bound;
    }

private:
    unsigned m_state = 20240521u;
};
