#pragma once

#include <QString>

// The full product name: the main window's caption.
inline const QString kProductName = QStringLiteral("Corvala Software");

// The application title derived from a product name: cut at the last blank, at least once,
// until at most 40 characters are left ("Corvala Software" gives "Corvala").
QString TitleFromProductName(const QString &fullName);

// Sets the application title from the product name.
void ApplyTitleRule();
