#include "model/stored_render.h"

#include "model/zeb_line.h"

void zeb_Line::writeStored(zeb_Text& out, const zeb_StoredRecord& record) {
  zeb_renderStored(out, record);
}
