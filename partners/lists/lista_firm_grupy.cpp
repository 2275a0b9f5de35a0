#include "lists/lista_firm_grupy.h"

#include "lists/lista_firm_kolumny.h"
#include "lists/lista_firm_zapytanie.h"

#include "connection.h"
#include "query.h"

#include <algorithm>

namespace partners {

namespace {

// `znane` while it still names the field, otherwise the field found by name.
int ponowniePole(const db::DataSet &lista, int znane, const QString &nazwa)
{
    return znane >= 0 && znane < lista.fieldCount() && lista.fieldDef(znane).name == nazwa ? znane
                                                                                           : lista.fieldIndex(nazwa);
}

} // namespace

void NazwyGrupFirm::wczytaj(db::Connection &polaczenie, int idJezyka)
{
    m_nazwyRodzajow.clear();
    m_nazwyZestawow.clear();
    const KomendaSql komenda = komendaNazwRodzajow(idJezyka);
    db::Query rodzaje(&polaczenie, komenda.tekst);
    for (auto it = komenda.parametry.cbegin(); it != komenda.parametry.cend(); ++it)
        rodzaje.parameters().setValue(it.key(), it.value());
    rodzaje.open();
    m_nazwyRodzajow.reserve(rodzaje.totalRowCount());
    for (db::Bookmark r = 0; r < rodzaje.totalRowCount(); ++r)
        m_nazwyRodzajow.insert(rodzaje.valueAt(r, 0).toInt(), rodzaje.valueAt(r, 1).toString());
}

QString NazwyGrupFirm::nazwy(const QString &idGrup) const
{
    if (idGrup.isEmpty())
        return {};
    const auto znane = m_nazwyZestawow.constFind(idGrup);
    if (znane != m_nazwyZestawow.cend())
        return *znane;
    QList<int> ids;
    for (QStringView id : QStringView(idGrup).split(QLatin1Char(',')))
        ids << id.trimmed().toInt();
    std::ranges::sort(ids);
    QStringList nazwy;
    for (int id : ids) {
        const auto nazwa = m_nazwyRodzajow.constFind(id);
        if (nazwa != m_nazwyRodzajow.cend())
            nazwy << *nazwa;
    }
    return m_nazwyZestawow.insert(idGrup, nazwy.join(QStringLiteral(", "))).value();
}

db::DataSet::CalcFieldsFn NazwyGrupFirm::obliczanie() const
{
    // The fields are found once, not by name for each of a large list's rows.
    return [this, poleIdGrup = -1, poleNazwy = -1](db::DataSet &lista, db::Bookmark wiersz) mutable {
        poleIdGrup = ponowniePole(lista, poleIdGrup, QString::fromLatin1(PoleIdGrup));
        poleNazwy = ponowniePole(lista, poleNazwy, QString::fromLatin1(PoleNazwaGrupy));
        if (poleIdGrup < 0 || poleNazwy < 0)
            return;
        lista.setValueAt(wiersz, poleNazwy, nazwy(lista.valueAt(wiersz, poleIdGrup).toString()));
    };
}

} // namespace partners
