// Commands whose menu items are in place while the commands themselves are still being built:
// choosing one does nothing yet.
#include "mainwindow/Form1.h"

void Form1::mnuPrint_Click() {}
void Form1::mnuPageSetup_Click() {}
void Form1::mnuFont_Click() {}
void Form1::mnuWordWrap_Click() {}
void Form1::mnubground_Click() {}
void Form1::mnuFormatLeft_Click() {}
void Form1::mnuFormatCenter_Click() {}
void Form1::mnuFormatRight_Click() {}
