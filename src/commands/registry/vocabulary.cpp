#include "commands/registry/vocabulary.h"

namespace yura {

const TRegistration kVocabulary[] = {
#include "commands/registry/vocabulary_table.inc"
};

const std::size_t kVocabularySize = sizeof kVocabulary / sizeof kVocabulary[0];

}  // namespace yura
