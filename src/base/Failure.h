#pragma once

#include <QString>
#include <stdexcept>

// A failure of an operation, carrying the human description that an error report shows
// ("Permission denied", "Not a rich text file"). Code that reports failures catches it;
// code that doesn't lets it pass to its caller.
class Failure : public std::runtime_error
{
public:
    explicit Failure(const QString &description)
        : std::runtime_error(description.toStdString()), m_description(description)
    {
    }

    QString description() const { return m_description; }

private:
    QString m_description;
};

// The description of whatever was thrown, for reports that catch more than Failure.
inline QString describeFailure(const std::exception &e)
{
    if (auto failure = dynamic_cast<const Failure *>(&e))
        return failure->description();
    return QString::fromLocal8Bit(e.what());
}
