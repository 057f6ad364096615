#include "workbench/model/SheetObject.h"

namespace pathwick::workbench {

TSheetObject* ModelObjectOf(IHostUnknown* object) {
    return dynamic_cast<TSheetObject*>(object);
}

} // namespace pathwick::workbench
