#include "ramka/import_eksport/typy_plikow_ie.h"

#include "host_funcs.h"

#include <QFile>
#include <QHash>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

using namespace Qt::StringLiterals;

namespace {

const QString TekstMieszany = u"#text"_s;

bool pusty(const QString &tekst)
{
    return tekst.trimmed().isEmpty();
}

void zapiszWezel(QXmlStreamWriter &xml, const TIEComposite &wezel)
{
    xml.writeStartElement(wezel.name);
    for (const auto &c : wezel.children) {
        if (!c->IsLeaf())
            zapiszWezel(xml, static_cast<const TIEComposite &>(*c));
        else if (const auto &lisc = static_cast<const TIELeaf &>(*c); lisc.name == TekstMieszany)
            xml.writeCharacters(lisc.value);
        else
            xml.writeTextElement(lisc.name, lisc.value);
    }
    xml.writeEndElement();
}

struct ZapisCsv
{
    QHash<QString, qsizetype> kolumny;
    QStringList naglowek{u"id"_s};

    void zbierzKolumny(const TIEComposite &wezel, const QString &prefiks)
    {
        for (const auto &c : wezel.children) {
            const QString sciezka = prefiks + u':' + c->GetName();
            if (!c->IsLeaf())
                zbierzKolumny(static_cast<const TIEComposite &>(*c), sciezka);
            else if (!kolumny.contains(sciezka)) {
                kolumny.insert(sciezka, naglowek.size());
                naglowek.append(sciezka);
            }
        }
    }

    // A node's line takes its own leaves and stands before its children's
    // lines, so a record's values read back in the order they were written;
    // a node without leaves of its own gives no line.
    void zapisz(const TIEComposite &wezel, const QString &prefiks, const QString &numer,
                std::vector<QStringList> &linie) const
    {
        const auto miejsce = linie.size();
        linie.emplace_back();
        QStringList linia(naglowek.size());
        linia[0] = numer;
        bool wypelniona = false;
        for (const auto &c : wezel.children) {
            const QString sciezka = prefiks + u':' + c->GetName();
            if (!c->IsLeaf()) {
                zapisz(static_cast<const TIEComposite &>(*c), sciezka, numer, linie);
                continue;
            }
            QString wartosc = static_cast<const TIELeaf &>(*c).value;
            // Without quoting, a separator or a line break would split the value.
            for (QChar &z : wartosc)
                if (z == u';')
                    z = u',';
                else if (z == u'\n' || z == u'\r')
                    z = u' ';
            linia[kolumny.value(sciezka)] = wartosc;
            wypelniona = wypelniona || !wartosc.isEmpty();
        }
        if (wypelniona)
            linie[miejsce] = std::move(linia);
        else
            linie.erase(linie.begin() + qsizetype(miejsce));
    }
};

// Lines of one record become one when no cell holds two different values.
void scal(std::vector<QStringList> &linie)
{
    if (linie.size() < 2)
        return;
    QStringList scalona = linie.front();
    for (std::size_t i = 1; i < linie.size(); ++i)
        for (qsizetype k = 0; k < scalona.size(); ++k) {
            const QString &komorka = linie[i][k];
            if (scalona[k].isEmpty())
                scalona[k] = komorka;
            else if (!komorka.isEmpty() && komorka != scalona[k])
                return;
        }
    linie = {scalona};
}

TIEComponent *dziecko(const TIEComposite &wezel, const QString &nazwa, bool lisc)
{
    for (const auto &c : wezel.children)
        if (c->IsLeaf() == lisc && c->GetName() == nazwa)
            return c.get();
    return nullptr;
}

} // namespace

std::unique_ptr<TIEFileType> TIEFileType::utworz(int kod)
{
    if (kod == 1)
        return std::make_unique<TIEFileTypeXML>();
    if (kod == 2)
        return std::make_unique<TIEFileTypeCSV>();
    return nullptr;
}

bool TIEFileType::odrzucPlik(RekordyIE &records)
{
    records.clear();
    host::InfoBox(nullptr, u"Resstrings_IDS_nieprawdidlowy_plik_importu"_s);
    return false;
}

QString TIEFileType::wczytajTekst(const QString &fileName)
{
    QFile plik(fileName);
    if (!plik.open(QIODevice::ReadOnly))
        return {};
    QString tekst = QString::fromUtf8(plik.readAll());
    if (tekst.startsWith(QChar::ByteOrderMark))
        tekst.remove(0, 1);
    return tekst;
}

QStringList TIEFileTypeXML::Write(const RekordyIE &records)
{
    QString tekst;
    QXmlStreamWriter xml(&tekst);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartElement(u"root"_s);
    xml.writeAttribute(u"rowCount"_s, QString::number(records.size()));
    // Written by hand: on a string the writer leaves the encoding out.
    QStringList linie{u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>"_s};
    // Taken record by record, so the whole text is never held twice.
    const auto przeniesLinie = [&] {
        if (tekst.startsWith(u'\n'))
            tekst.remove(0, 1);
        if (tekst.endsWith(u'\n'))
            tekst.chop(1);
        linie += tekst.split(u'\n');
        tekst.clear();
    };
    int numer = 0;
    for (const auto &rekord : records) {
        zapiszWezel(xml, *rekord);
        przeniesLinie();
        if (!zglosPostep(++numer, int(records.size())))
            return {};
    }
    xml.writeEndDocument();
    przeniesLinie();
    return linie;
}

bool TIEFileTypeXML::Read(const QString &fileName, RekordyIE &records)
{
    records.clear();
    QFile plik(fileName);
    if (!plik.open(QIODevice::ReadOnly))
        return odrzucPlik(records);
    QXmlStreamReader xml(&plik);
    // The element being read and its open ancestors below "root"; an element
    // becomes a composite when its first child element starts.
    struct Poziom
    {
        QString nazwa;
        TIEComposite *wezel = nullptr;
        QString tekst;
    };
    std::vector<Poziom> stos;
    const auto zrzucTekst = [](Poziom &p) {
        if (!pusty(p.tekst))
            p.wezel->dodajLisc(TekstMieszany, p.tekst);
        p.tekst.clear();
    };
    bool korzen = false;
    int wszystkie = 0;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (!korzen) {
                if (xml.name() != "root"_L1)
                    return odrzucPlik(records);
                korzen = true;
                wszystkie = xml.attributes().value("rowCount"_L1).toInt();
            } else if (stos.empty()) {
                records.push_back(std::make_unique<TIEComposite>(xml.name().toString()));
                stos.push_back({xml.name().toString(), records.back().get(), {}});
            } else {
                if (!stos.back().wezel)
                    stos.back().wezel = stos[stos.size() - 2].wezel->dodajWezel(stos.back().nazwa);
                zrzucTekst(stos.back());
                stos.push_back({xml.name().toString(), nullptr, {}});
            }
            break;
        case QXmlStreamReader::Characters:
            if (!stos.empty())
                stos.back().tekst += xml.text();
            break;
        case QXmlStreamReader::EndElement: {
            if (stos.empty())
                break;
            Poziom p = std::move(stos.back());
            stos.pop_back();
            if (p.wezel)
                zrzucTekst(p);
            else if (!pusty(p.tekst))
                stos.back().wezel->dodajLisc(p.nazwa, p.tekst);
            if (stos.empty() && !zglosPostep(int(records.size()), std::max(wszystkie, int(records.size()))))
                return true;
            break;
        }
        default:
            break;
        }
    }
    // A file without any element is an empty document, not a wrong one.
    if (xml.hasError() && (korzen || xml.error() != QXmlStreamReader::PrematureEndOfDocumentError))
        return odrzucPlik(records);
    return true;
}

QStringList TIEFileTypeCSV::Write(const RekordyIE &records)
{
    ZapisCsv zapis;
    for (const auto &rekord : records)
        zapis.zbierzKolumny(*rekord, rekord->name);
    QStringList wynik{zapis.naglowek.join(u';')};
    int numer = 0;
    for (const auto &rekord : records) {
        std::vector<QStringList> linie;
        zapis.zapisz(*rekord, rekord->name, QString::number(++numer), linie);
        scal(linie);
        for (const QStringList &linia : linie)
            wynik.append(linia.join(u';'));
        if (!zglosPostep(numer, int(records.size())))
            return {};
    }
    return wynik;
}

bool TIEFileTypeCSV::Read(const QString &fileName, RekordyIE &records)
{
    records.clear();
    QStringList linie = wczytajTekst(fileName).split(u'\n');
    for (QString &linia : linie)
        if (linia.endsWith(u'\r'))
            linia.chop(1);
    linie.removeAll(QString());
    const QStringList naglowek = linie.value(0).split(u';');
    if (naglowek[0] != "id"_L1 || naglowek.size() < 2 || !linie[0].contains(u':'))
        return odrzucPlik(records);
    std::vector<QStringList> sciezki;
    for (const QString &kolumna : naglowek)
        sciezki.push_back(kolumna.split(u':'));
    const QString nazwaRekordu = sciezki[1][0];

    int wszystkie = 0;
    QStringView poprzedni;
    for (qsizetype i = 1; i < linie.size(); ++i) {
        const QStringView numer = QStringView(linie[i]).left(linie[i].indexOf(u';'));
        wszystkie += numer != poprzedni || i == 1;
        poprzedni = numer;
    }

    std::unique_ptr<TIEComposite> rekord;
    int numerRekordu = 0;
    const auto zachowaj = [&] {
        records.push_back(std::move(rekord));
        return zglosPostep(int(records.size()), wszystkie);
    };
    for (qsizetype i = 1; i < linie.size(); ++i) {
        const QStringList komorki = linie[i].split(u';');
        bool ok = false;
        const int numer = komorki[0].toInt(&ok);
        if (!ok)
            return odrzucPlik(records);
        if (!rekord || numer != numerRekordu) {
            if (rekord && !zachowaj())
                return true;
            rekord = std::make_unique<TIEComposite>(nazwaRekordu);
            numerRekordu = numer;
        }
        // A line's values of one container make one new item of it.
        QHash<QString, TIEComposite *> pozycje;
        for (qsizetype k = 1; k < std::min(komorki.size(), naglowek.size()); ++k) {
            const QStringList &s = sciezki[std::size_t(k)];
            if (komorki[k].isEmpty())
                continue;
            if (s.size() == 2 && !dziecko(*rekord, s[1], true))
                rekord->dodajLisc(s[1], komorki[k]);
            if (s.size() != 4)
                continue;
            TIEComposite *&pozycja = pozycje[s[1]];
            if (!pozycja) {
                auto *pojemnik = static_cast<TIEComposite *>(dziecko(*rekord, s[1], false));
                pozycja = (pojemnik ? pojemnik : rekord->dodajWezel(s[1]))->dodajWezel(s[2]);
            }
            pozycja->dodajLisc(s[3], komorki[k]);
        }
    }
    if (rekord)
        zachowaj();
    return true;
}
