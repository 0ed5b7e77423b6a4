#include "platform/qt/caption_fonts.h"

#include <fontconfig/fontconfig.h>

#include <QStringList>
#include <memory>

#include "platform/qt/font_warm_up.h"

namespace qt_host {
namespace {

template <typename T, void (*Release)(T*)>
struct Releaser {
  void operator()(T* object) const { Release(object); }
};
using Pattern = std::unique_ptr<FcPattern, Releaser<FcPattern, FcPatternDestroy>>;
using CharSet = std::unique_ptr<FcCharSet, Releaser<FcCharSet, FcCharSetDestroy>>;
using FontSet = std::unique_ptr<FcFontSet, Releaser<FcFontSet, FcFontSetDestroy>>;

// The characters that need a glyph: line breaks and other controls do not.
CharSet CharactersOf(const QString& text) {
  CharSet characters(FcCharSetCreate());
  for (const char32_t c : text.toUcs4()) {
    if (c > 0x20 && c != 0x7F) FcCharSetAddChar(characters.get(), c);
  }
  return characters;
}

}  // namespace

QString JapaneseFamilyCovering(const QString& text) {
  AwaitFontConfig();
  if (!FcInit()) return {};
  const CharSet needed = CharactersOf(text);
  Pattern pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  const FontSet sorted(FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
  if (!sorted) return {};
  for (int i = 0; i < sorted->nfont; ++i) {
    FcCharSet* coverage = nullptr;
    FcChar8* family = nullptr;
    if (FcPatternGetCharSet(sorted->fonts[i], FC_CHARSET, 0, &coverage) != FcResultMatch ||
        FcPatternGetString(sorted->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch) {
      continue;
    }
    if (FcCharSetIsSubset(needed.get(), coverage)) {
      return QString::fromUtf8(reinterpret_cast<const char*>(family));
    }
  }
  return {};
}

QFont CaptionFont(const QFont& base, const QString& text) {
  const QString family = JapaneseFamilyCovering(text);
  if (family.isEmpty()) return base;
  QFont font = base;
  QStringList families = base.families();
  if (families.isEmpty()) families.append(base.family());
  families.removeAll(family);
  families.prepend(family);
  font.setFamilies(families);
  return font;
}

}  // namespace qt_host
