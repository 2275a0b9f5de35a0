#include "company/sumy_kontrolne.h"

namespace partners {

namespace {

QString bezOdstepowIKresek(const QString &tekst)
{
    QString wynik = tekst.trimmed();
    return wynik.remove(QLatin1Char(' ')).remove(QLatin1Char('-'));
}

bool cyfry(const QString &tekst, int dlugosc)
{
    if (tekst.size() != dlugosc)
        return false;
    for (QChar c : tekst)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

bool sumaWazona(const QString &numer, std::initializer_list<int> wagi)
{
    int suma = 0;
    int i = 0;
    for (int waga : wagi)
        suma += waga * numer.at(i++).digitValue();
    return suma % 11 % 10 == numer.at(i).digitValue();
}

// IBAN lengths of the EU/EEA, the UK, Switzerland and the neighbours a
// transport office pays in.
int dlugoscIban(const QString &kraj)
{
    static constexpr struct
    {
        char kraj[3];
        int dlugosc;
    } Dlugosci[] = {{"AD", 24}, {"AL", 28}, {"AT", 20}, {"BA", 20}, {"BE", 16}, {"BG", 22}, {"BY", 28}, {"CH", 21},
                    {"CY", 28}, {"CZ", 24}, {"DE", 22}, {"DK", 18}, {"EE", 20}, {"ES", 24}, {"FI", 18}, {"FO", 18},
                    {"FR", 27}, {"GB", 22}, {"GE", 22}, {"GI", 23}, {"GL", 18}, {"GR", 27}, {"HR", 21}, {"HU", 28},
                    {"IE", 22}, {"IS", 26}, {"IT", 27}, {"LI", 21}, {"LT", 20}, {"LU", 20}, {"LV", 21}, {"MC", 27},
                    {"MD", 24}, {"ME", 22}, {"MK", 19}, {"MT", 31}, {"NL", 18}, {"NO", 15}, {"PL", 28}, {"PT", 25},
                    {"RO", 24}, {"RS", 22}, {"SE", 24}, {"SI", 19}, {"SK", 24}, {"SM", 27}, {"TR", 26}, {"UA", 29},
                    {"VA", 22}, {"XK", 20}};
    for (const auto &d : Dlugosci)
        if (kraj == QLatin1String(d.kraj))
            return d.dlugosc;
    return 0;
}

} // namespace

bool sprawdzRegon(const QString &tekst)
{
    const QString numer = bezOdstepowIKresek(tekst);
    if (cyfry(numer, 14))
        return sumaWazona(numer.left(9), {8, 9, 2, 3, 4, 5, 6, 7})
            && sumaWazona(numer, {2, 4, 8, 5, 0, 9, 7, 3, 6, 1, 2, 4, 8});
    return cyfry(numer, 9) && sumaWazona(numer, {8, 9, 2, 3, 4, 5, 6, 7});
}

bool sprawdzKrs(const QString &tekst)
{
    return cyfry(bezOdstepowIKresek(tekst), 10);
}

bool sprawdzRachunek(const QString &tekst)
{
    QString numer = bezOdstepowIKresek(tekst).toUpper();
    if (cyfry(numer, 26))
        numer.prepend(QLatin1String("PL"));
    if (numer.size() != dlugoscIban(numer.left(2)) || !cyfry(numer.mid(2, 2), 2))
        return false;
    // Country and check digits go to the end, letters count as 10..35.
    int reszta = 0;
    for (QChar c : numer.mid(4) + numer.left(4)) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            reszta = (reszta * 10 + c.digitValue()) % 97;
        else if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            reszta = (reszta * 100 + c.unicode() - 'A' + 10) % 97;
        else
            return false;
    }
    return reszta == 1;
}

} // namespace partners
