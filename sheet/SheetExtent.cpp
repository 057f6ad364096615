#include "sheet/SheetExtent.h"

#include "host/HostCall.h"

namespace pathwick {

void SetToSheet(TBoundingRect& rect, ISch_EditorService* service) {
    if (!service)
        return;
    THostRef<ISch_Document> active;
    HostCall(service->GetActiveDocument(active.Put()));
    THostRef<ISch_Document> document = QueryAs<ISch_Document>(active);
    if (!document)
        return;
    rect.Left = 0;
    rect.Bottom = 0;
    int32_t height = 0;
    HostCall(document->GetSheetHeight(&height));
    rect.Top = height;
    int32_t width = 0;
    HostCall(document->GetSheetWidth(&width));
    rect.Right = width;
}

} // namespace pathwick
