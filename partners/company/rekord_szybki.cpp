#include "company/rekord_szybki.h"

namespace partners {

namespace {

std::optional<int> liczbaScisle(const QString &tekst)
{
    bool ok = false;
    const int n = tekst.toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

} // namespace

std::optional<RekordFirmySzybki> rekordZListy(const QStringList &lista, QString *powod)
{
    RekordFirmySzybki r;
    r.nazwa = lista.value(1);
    r.panstwo = lista.value(2);
    r.kod = lista.value(3);
    r.miasto = lista.value(4);
    r.ulica = lista.value(5);
    r.nr_m = lista.value(6);
    if (lista.size() >= 8)
        r.grupa = lista.at(7);
    if (lista.size() >= 10) {
        const std::optional<int> idM = liczbaScisle(lista.at(8));
        const std::optional<int> idKodu = liczbaScisle(lista.at(9));
        if (!idM || !idKodu) {
            if (powod)
                *powod = QStringLiteral("'%1' is not a valid integer value").arg(!idM ? lista.at(8) : lista.at(9));
            return std::nullopt;
        }
        r.id_m = *idM;
        r.id_kodu = *idKodu;
    }
    return r;
}

} // namespace partners
