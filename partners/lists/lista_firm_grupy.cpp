#include "lists/lista_firm_grupy.h"

#include "lists/lista_firm_kolumny.h"
#include "lists/lista_firm_zapytanie.h"

#include "connection.h"
#include "query.h"

namespace partners {

void NazwyGrupFirm::wczytaj(const db::DataSet &listaGrup)
{
    m_nazwy.clear();
    const int poleIdF = listaGrup.fieldIndex(QStringLiteral("id_f"));
    const int poleWartosc = listaGrup.fieldIndex(QStringLiteral("wartosc"));
    const int poleTresc = listaGrup.fieldIndex(QStringLiteral("tresc"));
    if (poleIdF < 0 || poleWartosc < 0 || poleTresc < 0)
        return;
    const QString separator = QStringLiteral(", ");
    // Rows of one company are adjacent: append to its entry while it lasts.
    QString *biezace = nullptr;
    int biezacaFirma = 0;
    const int wierszy = listaGrup.totalRowCount();
    for (db::Bookmark r = 0; r < wierszy; ++r) {
        const int idF = listaGrup.valueAt(r, poleIdF).toInt();
        const QVariant tresc = listaGrup.valueAt(r, poleTresc);
        const QString nazwa = tresc.isNull() ? listaGrup.valueAt(r, poleWartosc).toString() : tresc.toString();
        if (!biezace || idF != biezacaFirma) {
            biezace = &m_nazwy[idF];
            biezacaFirma = idF;
        }
        if (!biezace->isEmpty())
            *biezace += separator;
        *biezace += nazwa;
    }
}

void NazwyGrupFirm::wczytaj(db::Connection &polaczenie, int idJezyka, int tag)
{
    const KomendaSql komenda = komendaGrupFirm(idJezyka, tag);
    db::Query zapytanie(&polaczenie, komenda.tekst);
    for (auto it = komenda.parametry.cbegin(); it != komenda.parametry.cend(); ++it)
        zapytanie.parameters().setValue(it.key(), it.value());
    zapytanie.open();
    wczytaj(zapytanie);
}

db::DataSet::CalcFieldsFn NazwyGrupFirm::obliczanie() const
{
    return [this](db::DataSet &lista, db::Bookmark wiersz) {
        const int poleId = lista.fieldIndex(QStringLiteral("id"));
        const int poleNazwy = lista.fieldIndex(QLatin1String(PoleNazwaGrupy));
        if (poleId < 0 || poleNazwy < 0)
            return;
        lista.setValueAt(wiersz, poleNazwy, nazwy(lista.valueAt(wiersz, poleId).toInt()));
    };
}

} // namespace partners
