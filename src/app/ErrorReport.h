#pragma once

#include <QString>
#include <exception>

class MessageBoxService;

// The maker's address that ends every error report.
inline constexpr const char *kSupportAddress = "support@corvala.software";

// The text of an error report: the failure's description, the procedure's location text and
// the step's number, then the request to send a screenshot.
QString ErrorReportText(const QString &description, const QString &location, int line);

// A procedure that numbers its steps and reports a failing step in the "Application Error" box,
// then goes on with the next step: no reported failure ends the program.
//
//     ReportingProcedure proc(messages, "in Corvala2021/08/31.Form1.Form_Resize ");
//     if (proc.Test(100, [&] { return isMinimized(); })) return;
//     proc.Step(102, [&] { ... });
class ReportingProcedure
{
public:
    ReportingProcedure(MessageBoxService &messages, QString location);

    // Runs one step; true when it finished without a failure.
    template<typename Action>
    bool Step(int line, Action &&action)
    {
        try {
            action();
            return true;
        } catch (const std::exception &e) {
            Report(e, line);
        } catch (...) {
            Report(QStringLiteral("Unexpected error"), line);
        }
        return false;
    }

    // Evaluates a test step. When the test itself fails, the failure is reported and the
    // steps that the test guards run as if it had passed, so the result is then true.
    template<typename Condition>
    bool Test(int line, Condition &&condition)
    {
        try {
            return bool(condition());
        } catch (const std::exception &e) {
            Report(e, line);
        } catch (...) {
            Report(QStringLiteral("Unexpected error"), line);
        }
        return true;
    }

    void Report(const std::exception &failure, int line);
    void Report(const QString &description, int line);

    QString Location() const { return m_location; }

private:
    MessageBoxService &m_messages;
    QString m_location;
};
