#pragma once

#include "combobox.h"

#include <QVariantMap>

class ViewController;

// Opens a list picker over `vc` on one of the security-log lists: the server's
// "USP_GetSecurityLogBySearchText" with `search` ("SearchBy" and its arguments) as JSON text,
// styled as every picker of the log screens, reporting to `delegate`.
void openSecurityLogPicker(ViewController *vc, comboBoxDelegate *delegate, QObject *owner,
                           comboBox::ListOptions options, const QVariantMap &search);
