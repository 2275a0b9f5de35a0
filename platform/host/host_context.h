#pragma once

#include "host_export.h"

#include <QSet>

namespace host {

// The host's application context: numbered options and feature switches.
class MALVO_HOST_EXPORT AppContext
{
public:
    static AppContext &instance();

    // Known options: 135 keeps the "aktywna" column of the company list,
    // 136 turns the quick-find list of the company list on. Off by default.
    bool isOptionOn(int option) const { return m_options.contains(option); }
    void setOption(int option, bool on);

    // Pushing a company's APD data to the mobile service after a save.
    bool isApdEnabled() const { return m_apd; }
    void setApdEnabled(bool on) { m_apd = on; }
    // Records are synchronised with an external system (saves may answer 102).
    bool isExternalSyncEnabled() const { return m_externalSync; }
    void setExternalSyncEnabled(bool on) { m_externalSync = on; }

    void reset();

private:
    AppContext() = default;
    QSet<int> m_options;
    bool m_apd = false;
    bool m_externalSync = false;
};

inline AppContext &appContext()
{
    return AppContext::instance();
}

namespace option {
inline constexpr int ListaFirmAktywna = 135;
inline constexpr int ListaFirmSzybkieSzukanie = 136;
} // namespace option

} // namespace host
