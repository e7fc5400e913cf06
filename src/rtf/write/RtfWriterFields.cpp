// Fields kept from the file they were read from go back as fields: the instruction as read,
// the document's text as the result.
#include "rtf/RtfFields.h"
#include "rtf/write/RtfOutput.h"
#include "rtf/write/RtfWriter.h"

void RtfWriter::describeField(RunFormat &format, const QTextCharFormat &charFormat)
{
    if (!charFormat.hasProperty(RtfFieldProperties::instruction))
        return;
    format.fieldInstruction = charFormat.stringProperty(RtfFieldProperties::instruction);
    // no address starts with a control character
    format.link = QStringLiteral("\u0001%1 ").arg(charFormat.intProperty(RtfFieldProperties::number))
        + format.fieldInstruction;
}

void RtfWriter::openField(const RunFormat &format)
{
    if (format.fieldInstruction.isEmpty()) {
        openLink(format.link);
        return;
    }
    m_body.raw("{\\field{\\*\\fldinst{");
    m_body.text(format.fieldInstruction);
    m_body.raw("}}{\\fldrslt");
    m_openLink = format.link;
}
