#include "editors/TypeEditing.h"

#include <algorithm>
#include <cstdint>

#include "data/DataModule1.h"
#include "settings/MainTexts.h"

namespace qv {

std::string FactoryInfoText(const std::string& infoText, const std::string& yieldText, int mtime,
                            Special special) {
  if (mtime == 0) return {};
  std::string text = FormatText(infoText, {std::int64_t{mtime}});
  if (IsMine(special)) text += yieldText;
  return text;
}

int FactoryListPanelSize(int windowSize, int clientSize, int part, int total) {
  // A hand-edited settings file may hold any numbers; a zero total must not
  // end the program.
  const std::int64_t size =
      total > 0 ? std::int64_t{windowSize} * part / total : std::int64_t{clientSize} / 2;
  const std::int64_t limited = std::min<std::int64_t>(size, std::int64_t{clientSize} - 50);
  return static_cast<int>(std::max<std::int64_t>(limited, 50));
}

}  // namespace qv
