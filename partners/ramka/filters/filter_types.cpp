#include "ramka/filters/filter_types.h"

#include "host_funcs.h"

namespace partners {

Translate hostTranslate()
{
    return [](const QString &key) { return host::LoadResstrings(key); };
}

} // namespace partners
