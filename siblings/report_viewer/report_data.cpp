#include "report_data.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace report_viewer {

namespace {

// pole1, pole2, ... give the column; other elements follow in order.
int numerPola(const QString &nazwa)
{
    static const QRegularExpression wzor(QStringLiteral("^pole(\\d+)$"), QRegularExpression::CaseInsensitiveOption);
    const auto dopasowanie = wzor.match(nazwa);
    return dopasowanie.hasMatch() ? dopasowanie.captured(1).toInt() : 0;
}

QStringList wartosci(const QDomElement &wiersz, QList<int> *szerokosci)
{
    QStringList wynik;
    for (QDomElement pole = wiersz.firstChildElement(); !pole.isNull(); pole = pole.nextSiblingElement()) {
        const int numer = numerPola(pole.tagName());
        const int indeks = numer > 0 ? numer - 1 : int(wynik.size());
        while (wynik.size() <= indeks)
            wynik << QString();
        wynik[indeks] = pole.text();
        if (szerokosci) {
            while (szerokosci->size() <= indeks)
                *szerokosci << 0;
            (*szerokosci)[indeks] = pole.attribute(QStringLiteral("szerokosc")).toInt();
        }
    }
    return wynik;
}

void dopelnij(QStringList &lista, int n)
{
    while (lista.size() < n)
        lista << QString();
}

} // namespace

bool czytajXml(QIODevice &wejscie, RaportTabela &tabela, QString *blad)
{
    tabela = RaportTabela();
    QDomDocument dokument;
    QString komunikat;
    int linia = 0;
    if (!dokument.setContent(&wejscie, &komunikat, &linia)) {
        if (blad)
            *blad = QStringLiteral("%1 (line %2)").arg(komunikat).arg(linia);
        return false;
    }
    const QDomElement korzen = dokument.documentElement();
    if (korzen.tagName() != QLatin1String("xml")) {
        if (blad)
            *blad = QStringLiteral("root element is not <xml>");
        return false;
    }
    bool jestNaglowek = false;
    for (QDomElement wiersz = korzen.firstChildElement(QStringLiteral("row")); !wiersz.isNull();
         wiersz = wiersz.nextSiblingElement(QStringLiteral("row"))) {
        const QString nazwa = wiersz.attribute(QStringLiteral("nazwa"));
        if (nazwa == QLatin1String("!naglowek") && !jestNaglowek) {
            tabela.tytuly = wartosci(wiersz, &tabela.szerokosci);
            jestNaglowek = true;
        } else if (nazwa == QLatin1String("!podsumowanie")) {
            tabela.podsumowanie = wartosci(wiersz, nullptr);
        } else {
            tabela.wiersze << wartosci(wiersz, nullptr);
        }
    }
    int n = int(tabela.tytuly.size());
    for (const QStringList &w : tabela.wiersze)
        n = std::max(n, int(w.size()));
    if (tabela.podsumowanie)
        n = std::max(n, int(tabela.podsumowanie->size()));
    for (int c = int(tabela.tytuly.size()); c < n; ++c)
        tabela.tytuly << QString::number(c + 1);
    while (tabela.szerokosci.size() < n)
        tabela.szerokosci << 0;
    for (QStringList &w : tabela.wiersze)
        dopelnij(w, n);
    if (tabela.podsumowanie)
        dopelnij(*tabela.podsumowanie, n);
    return true;
}

bool czytajXmlPlik(const QString &sciezka, RaportTabela &tabela, QString *blad)
{
    QFile plik(sciezka);
    if (!plik.open(QIODevice::ReadOnly)) {
        if (blad)
            *blad = plik.errorString();
        return false;
    }
    return czytajXml(plik, tabela, blad);
}

QString plikDanychRaportu(const QString &sciezkaRaportu)
{
    const QFileInfo info(sciezkaRaportu);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".xml"));
}

} // namespace report_viewer
