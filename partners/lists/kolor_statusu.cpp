#include "lists/kolor_statusu.h"

namespace partners {

QColor kolorZBGR(const QVariant &wartosc)
{
    if (!wartosc.isValid() || wartosc.isNull())
        return {};
    bool ok = false;
    qlonglong liczba = 0;
    if (wartosc.typeId() == QMetaType::QString) {
        const QString tekst = wartosc.toString().trimmed();
        // The dictionary may hold the number in decimal or as 0x hex.
        liczba = tekst.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? tekst.mid(2).toLongLong(&ok, 16)
                                                                            : tekst.toLongLong(&ok, 10);
    } else {
        liczba = wartosc.toLongLong(&ok);
    }
    if (!ok || liczba < 0 || liczba > 0xFFFFFF)
        return {};
    return QColor(int(liczba & 0xFF), int((liczba >> 8) & 0xFF), int((liczba >> 16) & 0xFF));
}

QColor kolorWierszaFirmy(const QVariant &statusKolor, bool koloryWgStatusu, const QVariant &kolorDomyslny)
{
    if (koloryWgStatusu) {
        const QColor status = kolorZBGR(statusKolor);
        if (status.isValid())
            return status;
    }
    return kolorZBGR(kolorDomyslny);
}

} // namespace partners
