// The settings the browser offers, as the JSON text the page builds its
// form from: each field's name, label, kind, range, choices and value.
#pragma once

#include <string>

#include "platform/settings/settings.h"

namespace webhost {

std::string FieldsJson(const platform::settings::Settings& settings);

}  // namespace webhost
