#include "source/process_state.h"

#include "model/decode_warnings.h"
#include "model/label_names.h"
#include "petscii/lorvex_global.h"
#include "source/zeb_source.h"

void zeb_resetProcessState() {
  Lorvex_global::resetSettings();
  zeb_Source::globLabels.clear();
  zeb_setWarningSink(nullptr);
  zeb_setLabelSpanSink(nullptr);
  zeb_setPackedNames(zeb_PackedNames{});
}
