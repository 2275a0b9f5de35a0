#include "ramka/export/list_file_save.h"

#include "host_funcs.h"
#include "prompter.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace ramka {

QString proponowanaNazwaPliku(const QString &tytulOkna)
{
    QString nazwa = tytulOkna;
    return nazwa.replace(QLatin1Char('/'), QLatin1Char(' '));
}

FormatPliku formatPliku(const QString &sciezka)
{
    return sciezka.right(3).compare(QLatin1String("tml"), Qt::CaseInsensitive) == 0 ? FormatPliku::Html
                                                                                    : FormatPliku::Csv;
}

QString filtrPlikowListy()
{
    return host::LoadResstrings(QStringLiteral("Resstrings_IDS_Tekst_Csv")) + QStringLiteral(" (*.csv);;")
        + host::LoadResstrings(QStringLiteral("Resstrings_IDS_Strona_Internetowa")) + QStringLiteral(" (*.html)");
}

bool zapiszTabeleDoPliku(const QString &sciezka, const TabelaEksportu &tabela, QString *blad)
{
    QSaveFile plik(sciezka);
    if (!plik.open(QIODevice::WriteOnly)) {
        if (blad)
            *blad = plik.errorString();
        return false;
    }
    if (formatPliku(sciezka) == FormatPliku::Html)
        zapiszHtml(plik, tabela);
    else
        zapiszCsv(plik, tabela);
    if (!plik.commit()) {
        if (blad)
            *blad = plik.errorString();
        return false;
    }
    return true;
}

WynikZapisuListy zapiszListeDoPliku(QWidget *owner, const QString &tytulOkna, const QString &katalog,
                                    const std::function<TabelaEksportu()> &tabela, QString *sciezka)
{
    const QString proponowana = QDir(katalog.isEmpty() ? QDir::homePath() : katalog)
                                    .filePath(proponowanaNazwaPliku(tytulOkna) + QStringLiteral(".csv"));
    QString plik = host::prompter().chooseSaveFile(
        owner, host::LoadResstrings(QStringLiteral("Resstrings_IDS_ZapiszDoPliku")), proponowana, filtrPlikowListy());
    if (plik.isEmpty())
        return WynikZapisuListy::Anulowano;
    // The save dialog's default extension.
    if (QFileInfo(plik).suffix().isEmpty())
        plik += QStringLiteral(".csv");
    if (sciezka)
        *sciezka = plik;

    if (QFileInfo::exists(plik)) {
        const int odpowiedz = host::InfoBox(owner, QStringLiteral("Resstrings_IDS_plik_istnieje_czy_nadpisac"),
                                            host::mb::YesNoCancel | host::mb::IconQuestion);
        if (odpowiedz != host::mb::IdYes)
            return WynikZapisuListy::NieNadpisano;
    }

    QString blad;
    if (!zapiszTabeleDoPliku(plik, tabela(), &blad)) {
        host::save_log_to_file(QStringLiteral("ramka\\ramka_lista_fr"),
                               QStringLiteral("Tramka_lista_frame::zapiszClick"), __LINE__,
                               plik + QStringLiteral(": ") + blad);
        host::InfoBox(owner, QStringLiteral("Resstrings_IDS_nie_mozna_nadpisac"), host::mb::IconError);
        return WynikZapisuListy::Blad;
    }
    return WynikZapisuListy::Zapisano;
}

} // namespace ramka
