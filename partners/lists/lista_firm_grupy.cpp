#include "lists/lista_firm_grupy.h"

#include "lists/lista_firm_kolumny.h"
#include "lists/lista_firm_zapytanie.h"

#include "connection.h"
#include "query.h"

#include <memory>

namespace partners {

namespace {

std::unique_ptr<db::Query> otworz(db::Connection &polaczenie, const KomendaSql &komenda)
{
    auto zapytanie = std::make_unique<db::Query>(&polaczenie, komenda.tekst);
    for (auto it = komenda.parametry.cbegin(); it != komenda.parametry.cend(); ++it)
        zapytanie->parameters().setValue(it.key(), it.value());
    zapytanie->open();
    return zapytanie;
}

// `znane` while it still names the field, otherwise the field found by name.
int ponowniePole(const db::DataSet &lista, int znane, const QString &nazwa)
{
    return znane >= 0 && znane < lista.fieldCount() && lista.fieldDef(znane).name == nazwa ? znane
                                                                                           : lista.fieldIndex(nazwa);
}

} // namespace

void NazwyGrupFirm::wczytaj(db::Connection &polaczenie, int idJezyka, int tag)
{
    m_nazwy.clear();
    const auto rodzaje = otworz(polaczenie, komendaNazwRodzajow(idJezyka));
    QHash<int, QString> nazwaRodzaju;
    nazwaRodzaju.reserve(rodzaje->totalRowCount());
    for (db::Bookmark r = 0; r < rodzaje->totalRowCount(); ++r)
        nazwaRodzaju.insert(rodzaje->valueAt(r, 0).toInt(), rodzaje->valueAt(r, 1).toString());

    const auto grupy = otworz(polaczenie, komendaGrupFirm(tag));
    const db::Query &g = *grupy;
    const QString separator = QStringLiteral(", ");
    // Rows of one company are adjacent: append to its entry while it lasts.
    QString *biezace = nullptr;
    int biezacaFirma = 0;
    for (db::Bookmark r = 0; r < g.totalRowCount(); ++r) {
        const auto nazwa = nazwaRodzaju.constFind(g.valueAt(r, 1).toInt());
        if (nazwa == nazwaRodzaju.cend())
            continue;
        const int idF = g.valueAt(r, 0).toInt();
        if (!biezace || idF != biezacaFirma) {
            biezace = &m_nazwy[idF];
            biezacaFirma = idF;
        }
        if (!biezace->isEmpty())
            *biezace += separator;
        *biezace += *nazwa;
    }
}

db::DataSet::CalcFieldsFn NazwyGrupFirm::obliczanie() const
{
    // The fields are found once, not by name for each of a large list's rows.
    return [this, poleId = -1, poleNazwy = -1](db::DataSet &lista, db::Bookmark wiersz) mutable {
        poleId = ponowniePole(lista, poleId, QStringLiteral("id"));
        poleNazwy = ponowniePole(lista, poleNazwy, QString::fromLatin1(PoleNazwaGrupy));
        if (poleId < 0 || poleNazwy < 0)
            return;
        lista.setValueAt(wiersz, poleNazwy, nazwy(lista.valueAt(wiersz, poleId).toInt()));
    };
}

} // namespace partners
