#include "partners_api.h"

#include "company/import_eksport/export_firm_form.h"
#include "company/import_eksport/import_firm_form.h"
#include "lists/lista_firm_kolumny.h"
#include "lists/lista_firm_zapytanie.h"
#include "ramka/filters/phrase_search.h"
#include "ramka/import_eksport/import_eksport.h"

#include "connection.h"
#include "dataset.h"
#include "db_error.h"
#include "host_funcs.h"

namespace {

// The companies of the company list in its order, narrowed as its phrase
// search narrows them over its default columns.
QList<int> idListyFirm(const QString &fraza)
{
    db::Connection *polaczenie = host::GetConnection();
    if (!polaczenie)
        throw db::DbError(QStringLiteral("No database connection."));
    partners::StanZapytaniaListyFirm stan;
    stan.idJezyka = host::GetLanguage();
    const partners::KomendaSql komenda = partners::komendaListyFirm(stan, polaczenie->dialect());
    db::DataSet lista;
    lista.setConnection(polaczenie);
    lista.setCommandText(komenda.tekst);
    lista.setJoinedColumns(komenda.kolumnyDolaczane, QStringLiteral("id"));
    lista.setBaseSort(QString::fromLatin1(partners::PorzadekListyFirm));
    for (auto it = komenda.parametry.cbegin(); it != komenda.parametry.cend(); ++it)
        lista.parameters().setValue(it.key(), it.value());
    lista.open();
    if (!fraza.isEmpty()) {
        partners::OpcjeKolumnListyFirm opcje;
        opcje.kodJezyka = host::GetKeyLang();
        opcje.wersjaOgraniczona = host::CzyWersjaOgraniczona();
        QList<partners::GridColumnInfo> kolumny;
        for (const TUstKolumna &k : partners::kolumnyListyFirm(opcje))
            kolumny.append({k.pole, k.napis, k.widoczna});
        QList<db::FieldDef> pola;
        for (int i = 0; i < lista.fieldCount(); ++i)
            pola << lista.fieldDef(i);
        lista.setFilter(partners::phraseCondition(fraza, partners::eligibleSearchColumns(pola, kolumny, {})));
    }
    QList<int> ids;
    const int poleId = lista.fieldIndex(QStringLiteral("id"));
    for (int i = 0; i < lista.recordCount(); ++i)
        ids << lista.valueAt(lista.bookmarkAt(i), poleId).toInt();
    return ids;
}

PostepIE postepHosta(PostepEntry postep)
{
    return [postep](int biezacy, int wszystkie) {
        if (postep)
            postep(biezacy, wszystkie);
        return true;
    };
}

} // namespace

int _EksportFirmDoPliku(QString fileName, int format, QList<int> ids, QString phrase, PostepEntry progress,
                        QString *summary)
{
    try {
        if (ids.isEmpty())
            ids = idListyFirm(phrase);
        TImportExport zadanie(TIEFileType::utworz(format == 2 ? 2 : 1), std::make_unique<Texport_firm_form>(ids),
                              fileName, format == 3);
        zadanie.postepWywolujacego = postepHosta(progress);
        if (!zadanie.Run(false))
            return -1;
        const int zapisane = zadanie.writtenRecords();
        if (summary && zapisane < ids.size())
            *summary = QStringLiteral("%1 of the ids name no company").arg(ids.size() - zapisane);
        return zapisane;
    } catch (const db::DbError &e) {
        if (summary)
            *summary = e.message();
        return -1;
    }
}

int _ImportFirmZPliku(QString fileName, int onDuplicate, int match, PostepEntry progress, QString *summary)
{
    try {
        auto typ = TIEFileType::utworz(kodTypuPliku(fileName.toLower()));
        if (!typ)
            throw db::DbError(QStringLiteral("%1 is neither an .xml nor a .csv file").arg(fileName));
        auto forma = std::make_unique<Timport_firm_form>([onDuplicate](const QString &) { return onDuplicate; },
                                                         match == 1 ? Timport_firm_form::Dopasowanie::NazwaLubNip
                                                                    : Timport_firm_form::Dopasowanie::Nazwa);
        Timport_firm_form::Podsumowanie wynik;
        bool oddane = false;
        forma->poImporcie = [&](const Timport_firm_form::Podsumowanie &p) {
            wynik = p;
            oddane = true;
        };
        TImportExport zadanie(std::move(typ), std::move(forma), fileName);
        zadanie.postepWywolujacego = postepHosta(progress);
        if (!zadanie.Run(false) || !oddane)
            return -1;
        if (summary)
            *summary = wynik.tekst();
        return int(wynik.odrzucone.size());
    } catch (const db::DbError &e) {
        if (summary)
            *summary = e.message();
        return -1;
    }
}
