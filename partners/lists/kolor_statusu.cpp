#include "lists/kolor_statusu.h"

#include <QtMath>
#include <algorithm>

namespace partners {

namespace {

constexpr double KontrastCzytelny = 4.5;

double luminancja(const QColor &kolor)
{
    const auto skladowa = [](double c) { return c <= 0.03928 ? c / 12.92 : qPow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * skladowa(kolor.redF()) + 0.7152 * skladowa(kolor.greenF()) + 0.0722 * skladowa(kolor.blueF());
}

} // namespace

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

double kontrast(const QColor &a, const QColor &b)
{
    const double la = luminancja(a);
    const double lb = luminancja(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QColor czytelnyNaTle(const QColor &kolor, const QList<QColor> &tla)
{
    const auto czytelny = [&](const QColor &k) {
        return std::all_of(tla.cbegin(), tla.cend(),
                           [&](const QColor &tlo) { return kontrast(k, tlo) >= KontrastCzytelny; });
    };
    if (czytelny(kolor))
        return kolor;
    double srednia = 0;
    for (const QColor &tlo : tla)
        srednia += luminancja(tlo) / tla.size();
    // Mid-grey's luminance: above it black reads better than white.
    const int krok = srednia > 0.18 ? -1 : 1;
    float h = 0, s = 0, l = 0;
    kolor.getHslF(&h, &s, &l);
    h = qMax(h, 0.0f); // greys have no hue
    QColor wynik = kolor;
    for (int jasnosc = qRound(l * 100); jasnosc >= 0 && jasnosc <= 100 && !czytelny(wynik); jasnosc += krok)
        wynik = QColor::fromHslF(h, s, jasnosc / 100.0f);
    return wynik;
}

QColor kolorWierszaFirmy(const QVariant &statusKolor, bool koloryWgStatusu, const QVariant &kolorDomyslny,
                         const QList<QColor> &tla)
{
    if (koloryWgStatusu) {
        const QColor status = kolorZBGR(statusKolor);
        if (status.isValid())
            return czytelnyNaTle(status, tla);
    }
    return kolorZBGR(kolorDomyslny);
}

} // namespace partners
