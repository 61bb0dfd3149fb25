#pragma once

#include <string>

namespace qv {

// The locale ("de") whose translations of the platform's own texts (Yes/No,
// OK/Cancel, the save, colour and font dialogs) go with a language of the
// Language menu, the language file's name without extension. The name is
// compared without regard to case; a language not in the table gets English,
// "en".
std::string LocaleOfLanguage(const std::string& language);

}  // namespace qv
