// Commands whose menu items are in place while the commands themselves are still being built:
// choosing one does nothing yet.
#include "mainwindow/Form1.h"

void Form1::mnuSearchReplace_Click() {}
