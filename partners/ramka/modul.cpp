#include "ramka/modul.h"

#include "host_funcs.h"

namespace partners {

ModuleWindows &windows()
{
    static ModuleWindows instance;
    return instance;
}

bool mozeZmieniac()
{
    return host::SprawdzUpr(PlikModulu) >= 1;
}

QString tlumacz(const char *klucz)
{
    return host::LoadResstrings(QLatin1String(klucz));
}

} // namespace partners
