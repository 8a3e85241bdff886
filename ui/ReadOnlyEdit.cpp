#include "ui/ReadOnlyEdit.h"

#include "ui/ReadOnlyEditWidget.h"

void CReadOnlyEdit::ShowText(std::string_view text) {
  if (auto* view = dynamic_cast<ReadOnlyEditWidget*>(GetWidget())) view->ShowBytes(text);
}
