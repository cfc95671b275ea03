#ifndef TFONTCOMBOBOX_P_H
#define TFONTCOMBOBOX_P_H

#include "tfontcombobox.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TFontComboBox)

#endif // TFONTCOMBOBOX_P_H
