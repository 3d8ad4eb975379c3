// Conversions between the core's attribute values and the CoreFoundation
// values the Accessibility API copies and sets.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <optional>

#include "core/ports/accessibility.h"
#include "platform/mac/cf_ref.h"

namespace corvella::mac {

// A copied value as the core sees it. Booleans, numbers, strings, elements,
// arrays of elements and AX geometry values are kept; anything else (and an
// array holding anything but elements) is of no kind the core reads: absent.
std::optional<AttributeValue> attributeValueFromCF(CFTypeRef value);

// The CoreFoundation form of a value to set; null when the platform cannot
// wrap it (the write is then skipped).
CFRef<CFTypeRef> cfFromAttributeValue(const AttributeValue& value);

}  // namespace corvella::mac
