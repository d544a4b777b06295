#pragma once

class QTranslator;

namespace fendo {

// Loads Qt's own texts in Korean (the file dialogs, the buttons of message boxes), as the
// program's own texts are, from the translations installed with Qt. False when they are not
// installed: Qt's dialogs then speak English.
bool LoadQtTranslations(QTranslator& translator);

}  // namespace fendo
