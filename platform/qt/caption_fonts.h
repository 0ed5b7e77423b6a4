// Fonts for the Japanese captions of the menu and the message boxes. Qt's default font may
// have no Japanese glyphs, and its own fallback may pick a face without the half-width
// katakana or with Chinese shapes, so fontconfig is asked for a Japanese face that covers
// every character of the text, and that family goes first in the font's list.
#pragma once

#include <QFont>
#include <QString>

namespace qt_host {

// The family of the installed face that fontconfig ranks best for Japanese text among those
// covering every character of `text`; empty when none does.
QString JapaneseFamilyCovering(const QString& text);

// `base` with the family that covers `text` put first; `base` itself when none does.
QFont CaptionFont(const QFont& base, const QString& text);

}  // namespace qt_host
