#include "app/ErrorReport.h"

#include "base/Failure.h"
#include "platform/dialogs/MessageBox.h"

QString ErrorReportText(const QString &description, const QString &location, int line)
{
    // The empty line before the request is two bare carriage returns, as the report has always
    // been written; the message box shows each as a line break.
    return description + QStringLiteral("\r\n") + location + QStringLiteral("at line ")
        + QString::number(line) + QStringLiteral("\r\r")
        + QStringLiteral("Please email screenshot of this message to ")
        + QLatin1String(kSupportAddress);
}

ReportingProcedure::ReportingProcedure(MessageBoxService &messages, QString location)
    : m_messages(messages), m_location(std::move(location))
{
}

void ReportingProcedure::Report(const std::exception &failure, int line)
{
    Report(describeFailure(failure), line);
}

void ReportingProcedure::Report(const QString &description, int line)
{
    m_messages.MsgBox(ErrorReportText(description, m_location, line), vbOKOnly | vbExclamation,
                      QStringLiteral("Application Error"));
}
