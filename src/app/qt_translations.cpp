#include "app/qt_translations.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace fendo {

bool LoadQtTranslations(QTranslator& translator) {
  return translator.load(QStringLiteral("qtbase_ko"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

}  // namespace fendo
