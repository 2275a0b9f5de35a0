#include "ramka/export/list_export.h"

#include "dataset.h"

#include <QIODevice>
#include <QRegularExpression>

namespace ramka {

namespace {

const QString Crlf = QStringLiteral("\r\n");

QString bezPodzialowLinii(QString tekst)
{
    static const QRegularExpression podzial(QStringLiteral("\r\n|\r|\n"));
    return tekst.replace(podzial, QStringLiteral(" "));
}

void pisz(QIODevice &wyjscie, const QString &tekst)
{
    wyjscie.write(tekst.toUtf8());
}

// ASCII only: everything else as a numeric character reference.
QByteArray doAscii(const QString &tekst)
{
    QByteArray wynik;
    wynik.reserve(tekst.size());
    for (const uint kod : tekst.toUcs4()) {
        if (kod < 0x80)
            wynik.append(char(kod));
        else
            wynik.append("&#" + QByteArray::number(kod) + ';');
    }
    return wynik;
}

} // namespace

TabelaEksportu tabelaZDataSet(const db::DataSet &dane, const QString &tytul,
                              const std::vector<KolumnaEksportu> &kolumny, const FormatWartosci &format,
                              const PostepWierszy &postep)
{
    TabelaEksportu tabela;
    tabela.tytul = tytul;
    tabela.kolumny = kolumny;
    std::vector<int> indeksy;
    for (const KolumnaEksportu &k : kolumny)
        indeksy.push_back(dane.isActive() ? dane.fieldIndex(k.pole) : -1);
    const int wierszy = dane.isActive() ? dane.recordCount() : 0;
    tabela.wiersze.reserve(wierszy);
    for (int r = 0; r < wierszy; ++r) {
        const db::Bookmark zakladka = dane.bookmarkAt(r);
        QStringList wiersz;
        for (const int i : indeksy) {
            if (i < 0) {
                wiersz << QString();
                continue;
            }
            const QVariant wartosc = dane.valueAt(zakladka, i);
            const db::FieldDef &pole = dane.fieldDef(i);
            wiersz << (format ? format(wartosc, pole) : db::DataSet::displayTextOf(wartosc, pole.type));
        }
        tabela.wiersze.push_back(wiersz);
        if (postep)
            postep(r + 1, wierszy);
    }
    return tabela;
}

QString liniaCsv(const QStringList &wartosci)
{
    QString linia;
    for (const QString &w : wartosci) {
        QString tekst = bezPodzialowLinii(w);
        if (tekst.contains(QLatin1Char(';')) || tekst.contains(QLatin1Char('"')))
            tekst = QLatin1Char('"') + tekst.replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
        linia += tekst + QLatin1Char(';');
    }
    return linia;
}

void zapiszCsv(QIODevice &wyjscie, const TabelaEksportu &tabela)
{
    wyjscie.write("\xEF\xBB\xBF");
    QStringList tytuly;
    for (const KolumnaEksportu &k : tabela.kolumny)
        tytuly << k.tytul;
    pisz(wyjscie, liniaCsv(tytuly) + Crlf);
    for (const QStringList &wiersz : tabela.wiersze)
        pisz(wyjscie, liniaCsv(wiersz) + Crlf);
}

void zapiszHtml(QIODevice &wyjscie, const TabelaEksportu &tabela)
{
    const int n = int(tabela.kolumny.size());
    long long suma = 0;
    for (const KolumnaEksportu &k : tabela.kolumny)
        suma += std::max(0, k.szerokosc);

    QString html;
    auto linia = [&html](const QString &tekst) { html += tekst + Crlf; };
    auto komorka = [](const QString &tekst) {
        const QString t = bezPodzialowLinii(tekst);
        return t.trimmed().isEmpty() ? QStringLiteral("&nbsp") : t.toHtmlEscaped();
    };

    linia(QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">"));
    linia(QStringLiteral("<HTML>"));
    linia(QStringLiteral("<HEAD>"));
    linia(QStringLiteral("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=win-1250\">"));
    linia(QStringLiteral("<TITLE>%1</TITLE>").arg(tabela.tytul.toHtmlEscaped()));
    linia(QStringLiteral("</HEAD>"));
    linia(QStringLiteral("<BODY>"));
    linia(QStringLiteral("<TABLE BORDER=1 CELLSPACING=0 CELLPADDING=2 WIDTH=\"100%\">"));
    linia(QStringLiteral("<TR><TD COLSPAN=%1 BGCOLOR=\"#919191\"><B>%2</B></TD></TR>")
              .arg(std::max(1, n))
              .arg(komorka(tabela.tytul)));
    QString naglowek = QStringLiteral("<TR>");
    for (const KolumnaEksportu &k : tabela.kolumny) {
        const int procent = suma > 0 ? int((std::max(0, k.szerokosc) * 100 + suma / 2) / suma) : (n ? 100 / n : 100);
        naglowek +=
            QStringLiteral("<TD WIDTH=\"%1%\" BGCOLOR=\"#DCDCDC\"><B>%2</B></TD>").arg(procent).arg(komorka(k.tytul));
    }
    linia(naglowek + QStringLiteral("</TR>"));
    for (size_t r = 0; r < tabela.wiersze.size(); ++r) {
        QString wiersz =
            QStringLiteral("<TR BGCOLOR=\"%1\">").arg(r % 2 ? QStringLiteral("#F0F0F0") : QStringLiteral("#FFFFFF"));
        const QStringList &wartosci = tabela.wiersze[r];
        for (int c = 0; c < n; ++c)
            wiersz += QStringLiteral("<TD>%1</TD>").arg(komorka(c < wartosci.size() ? wartosci[c] : QString()));
        linia(wiersz + QStringLiteral("</TR>"));
    }
    linia(QStringLiteral("</TABLE>"));
    linia(QStringLiteral("</BODY>"));
    linia(QStringLiteral("</HTML>"));
    wyjscie.write(doAscii(html));
}

QString escapeXml(const QString &tekst)
{
    QString wynik;
    wynik.reserve(tekst.size());
    for (const QChar c : tekst) {
        switch (c.unicode()) {
        case '&':
            wynik += QLatin1String("&amp;");
            break;
        case '<':
            wynik += QLatin1String("&lt;");
            break;
        case '>':
            wynik += QLatin1String("&gt;");
            break;
        case '\'':
            wynik += QLatin1String("&#39;");
            break;
        default:
            // Control characters other than tab and line breaks are not allowed in XML 1.0.
            if (c.unicode() >= 0x20 || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
                wynik += c;
        }
    }
    return wynik;
}

void zapiszXmlWydruku(QIODevice &wyjscie, const TabelaEksportu &tabela)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<xml>\r\n");
    const int n = int(tabela.kolumny.size());
    auto wiersz = [&](const QStringList &wartosci, const QString &nazwa, bool szerokosci) {
        xml += nazwa.isEmpty() ? QStringLiteral("<row>") : QStringLiteral("<row nazwa=\"%1\">").arg(nazwa);
        for (int c = 0; c < n; ++c) {
            const QString pole = QStringLiteral("pole%1").arg(c + 1);
            xml += QLatin1Char('<') + pole;
            if (szerokosci)
                xml += QStringLiteral(" szerokosc=\"%1\"").arg(std::max(0, tabela.kolumny[c].szerokosc));
            xml += QLatin1Char('>') + escapeXml(c < wartosci.size() ? wartosci[c] : QString()) + QLatin1String("</")
                + pole + QLatin1Char('>');
        }
        xml += QStringLiteral("</row>\r\n");
    };
    QStringList tytuly;
    for (const KolumnaEksportu &k : tabela.kolumny)
        tytuly << k.tytul;
    wiersz(tytuly, QStringLiteral("!naglowek"), true);
    for (const QStringList &w : tabela.wiersze)
        wiersz(w, QString(), false);
    if (tabela.podsumowanie)
        wiersz(*tabela.podsumowanie, QStringLiteral("!podsumowanie"), false);
    xml += QStringLiteral("</xml>\r\n");
    pisz(wyjscie, xml);
}

} // namespace ramka
