// The File menu's Print and Page Setup commands.
#include "mainwindow/Form1.h"

#include "app/ErrorReport.h"
#include "platform/richtextbox/RichTextBox.h"

void Form1::mnuPrint_Click()
{
    ReportingProcedure proc(m_messages, QStringLiteral("in Corvala2021/08/31.Form1.mnuPrint_Click "));
    proc.Step(108, [&] { CD1.DialogTitle = QStringLiteral("Print"); });
    proc.Step(110, [&] { CD1.Flags = CommonDialog::cdlPDReturnDC | CommonDialog::cdlPDNoPageNums; });
    // A failing test goes on as if nothing were selected.
    if (proc.Test(112, [&] { return txtEdit->SelLength() == 0; }))
        proc.Step(114, [&] { CD1.Flags = CD1.Flags; });
    else
        proc.Step(116, [&] { CD1.Flags = CD1.Flags | CommonDialog::cdlPDSelection; });
    proc.Step(118, [&] { CD1.ShowPrinter(); });
    // A cancelled dialog leaves no printer, so nothing is printed.
    proc.Step(120, [&] { txtEdit->SelPrint(CD1.hDC()); });
}

void Form1::mnuPageSetup_Click()
{
    ReportingProcedure proc(m_messages, QStringLiteral("in Corvala2021/08/31.Form1.mnuPageSetup_Click "));
    proc.Step(102, [&] { CD1.DialogTitle = QStringLiteral("Page Setup"); });
    proc.Step(104, [&] { CD1.ShowPrinter(); });
}
