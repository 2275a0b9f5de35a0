#include "ramka/import_eksport/typy_plikow_ie.h"

#include "host_funcs.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <expat.h>

#include <cstring>
#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString TekstMieszany = u"#text"_s;

bool pusty(const QString &tekst)
{
    return std::ranges::all_of(tekst, [](QChar z) { return z.isSpace(); });
}

// Text as XML content: what the markup claims escaped, a CR kept through
// the reader's line-end rule, characters XML 1.0 cannot carry left out.
void dopiszTekstXml(QString &cel, const QString &tekst)
{
    const auto zwykly = [](QChar z) {
        return z.unicode() >= 0x20 ? z != u'&' && z != u'<' && z != u'>' : z == u'\n' || z == u'\t';
    };
    if (std::ranges::all_of(tekst, zwykly))
        return void(cel += tekst);
    for (QChar z : tekst)
        if (zwykly(z))
            cel += z;
        else if (z == u'&')
            cel += "&amp;"_L1;
        else if (z == u'<')
            cel += "&lt;"_L1;
        else if (z == u'>')
            cel += "&gt;"_L1;
        else if (z == u'\r')
            cel += "&#13;"_L1;
}

void dopiszLisc(QString &cel, const TIELeaf &lisc)
{
    if (lisc.name == TekstMieszany)
        return dopiszTekstXml(cel, lisc.value);
    cel += u'<' + lisc.name + u'>';
    dopiszTekstXml(cel, lisc.value);
    cel += u"</"_s + lisc.name + u'>';
}

void dopiszWezel(QString &cel, const TIEComposite &wezel)
{
    cel += u'<' + wezel.name + u'>';
    for (const auto &c : wezel.children)
        if (c->IsLeaf())
            dopiszLisc(cel, static_cast<const TIELeaf &>(*c));
        else
            dopiszWezel(cel, static_cast<const TIEComposite &>(*c));
    cel += u"</"_s + wezel.name + u'>';
}

// Each line ends in CR LF; depth is the indentation in levels of two blanks.
void zapiszWezel(QString &tekst, const TIEComposite &wezel, int poziom)
{
    const auto wciecie = [&tekst](int glebokosc) { tekst.resize(tekst.size() + 2 * glebokosc, u' '); };
    wciecie(poziom);
    // Mixed content goes on one line: indentation around its text would become text.
    if (std::ranges::any_of(wezel.children, [](const auto &c) { return c->GetName() == TekstMieszany; })) {
        dopiszWezel(tekst, wezel);
        tekst += "\r\n"_L1;
        return;
    }
    tekst += u'<' + wezel.name + u">\r\n"_s;
    for (const auto &c : wezel.children) {
        if (!c->IsLeaf()) {
            zapiszWezel(tekst, static_cast<const TIEComposite &>(*c), poziom + 1);
            continue;
        }
        wciecie(poziom + 1);
        dopiszLisc(tekst, static_cast<const TIELeaf &>(*c));
        tekst += "\r\n"_L1;
    }
    wciecie(poziom);
    tekst += u"</"_s + wezel.name + u">\r\n"_s;
}

// A line of a record: the path of the node above the one it carries, and
// its filled cells by column (the record's number in column 0 aside).
struct LiniaCsv
{
    QString rodzic;
    std::vector<std::pair<qsizetype, QString>> komorki;

    QString *komorka(qsizetype kolumna)
    {
        const auto it = std::ranges::find(komorki, kolumna, &std::pair<qsizetype, QString>::first);
        return it == komorki.end() ? nullptr : &it->second;
    }
};

// Lines of one record become one when no cell holds two different values and
// no two lines are items of one container: one line reads back as one item.
void scal(std::vector<LiniaCsv> &linie)
{
    if (linie.size() < 2)
        return;
    QSet<QString> pojemniki;
    for (const LiniaCsv &linia : linie) {
        if (linia.rodzic.isNull())
            continue;
        if (pojemniki.contains(linia.rodzic))
            return;
        pojemniki.insert(linia.rodzic);
    }
    LiniaCsv scalona{QString(), linie.front().komorki};
    for (std::size_t i = 1; i < linie.size(); ++i)
        for (const auto &[kolumna, wartosc] : linie[i].komorki) {
            QString *komorka = scalona.komorka(kolumna);
            if (!komorka)
                scalona.komorki.emplace_back(kolumna, wartosc);
            else if (komorka->isEmpty())
                *komorka = wartosc;
            else if (!wartosc.isEmpty() && wartosc != *komorka)
                return;
        }
    linie = {std::move(scalona)};
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

bool TIEFileType::BeginWrite(const QString &fileName)
{
    m_zapisane = 0;
    m_bladZapisu = false;
    m_rekordy = std::make_unique<QTemporaryFile>(fileName + u".XXXXXX"_s);
    return m_rekordy->open();
}

void TIEFileType::WriteRecord(const TIEComposite &record)
{
    m_tekst.truncate(0);
    zapiszRekord(record, m_tekst);
    ++m_zapisane;
    const QByteArray utf8 = m_tekst.toUtf8();
    m_bladZapisu = m_bladZapisu || m_rekordy->write(utf8) != utf8.size();
}

bool TIEFileType::przepiszRekordy(QIODevice &rekordy, QIODevice &target)
{
    char bufor[1 << 16];
    for (qint64 n; (n = rekordy.read(bufor, sizeof bufor)) > 0;)
        if (target.write(bufor, n) != n)
            return false;
    return rekordy.atEnd();
}

bool TIEFileType::FinishWrite(QIODevice &target)
{
    const auto zapiszLinie = [&target](QStringList linie) {
        linie.append(QString());
        const QByteArray utf8 = linie.join(u"\r\n"_s).toUtf8();
        return target.write(utf8) == utf8.size();
    };
    const bool zapisane = !m_bladZapisu && target.write("\xEF\xBB\xBF") == 3 && zapiszLinie(poczatek())
        && m_rekordy->flush() && m_rekordy->seek(0) && przepiszRekordy(*m_rekordy, target) && zapiszLinie(koniec());
    m_rekordy.reset();
    return zapisane;
}

bool TIEFileType::odrzucPlik()
{
    m_odrzucony = true;
    return false;
}

void TIEFileType::zglosOdrzucenie()
{
    host::InfoBox(nullptr, u"Resstrings_IDS_nieprawdidlowy_plik_importu"_s);
}

bool TIEFileType::Read(const QString &fileName, RekordyIE &records)
{
    records.clear();
    const bool przeczytany = czytajKolejno(fileName, [&records](std::unique_ptr<TIEComposite> rekord) {
        records.push_back(std::move(rekord));
        return true;
    });
    if (!przeczytany) {
        records.clear();
        if (odrzucony())
            zglosOdrzucenie();
    }
    return przeczytany;
}

QStringList TIEFileTypeXML::poczatek() const
{
    return {u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>"_s, u"<root rowCount=\"%1\">"_s.arg(writtenRecords())};
}

QStringList TIEFileTypeXML::koniec() const
{
    return {u"</root>"_s};
}

void TIEFileTypeXML::zapiszRekord(const TIEComposite &record, QString &tekst)
{
    zapiszWezel(tekst, record, 1);
}

namespace {

// The XML reader's state between the parser's calls. The element being read
// and its open ancestors below "root"; an element becomes a composite when
// its first child with content ends, so an element whose children are all
// empty reads as its text alone. Blanks alone are a value only in an element
// without child elements: elsewhere they are indentation.
struct CzytanieXml
{
    struct Poziom
    {
        QString nazwa;
        TIEComposite *wezel = nullptr;
        QString tekst;
        bool elementy = false;
    };
    enum class Koniec { Plik, Odrzucony, Przerwany };

    XML_Parser parser = nullptr;
    const OdbiorcaRekordow *odbiorca = nullptr;
    std::function<bool(int)> postep; // with the records read; false stops
    std::vector<Poziom> stos;
    std::unique_ptr<TIEComposite> rekord;
    // Text since the last markup, in UTF-8: a run of it is indentation or
    // content as a whole.
    QByteArray biegnacy;
    bool korzen = false;
    int wszystkie = 0;
    int przeczytane = 0;
    // Without a receiver only the depth is followed.
    int glebokosc = 0;
    Koniec koniec = Koniec::Plik;

    void zakoncz(Koniec jak)
    {
        koniec = jak;
        XML_StopParser(parser, XML_FALSE);
    }

    void zrzucTekst(Poziom &p)
    {
        if (!pusty(p.tekst))
            p.wezel->dodajLisc(TekstMieszany, p.tekst);
        p.tekst.clear();
    }

    // The composite of level i, made with those above it that are not yet made,
    // each after the text that came before the child.
    TIEComposite *wezelPoziomu(std::size_t i)
    {
        std::size_t j = i;
        while (!stos[j].wezel)
            --j;
        for (; j <= i; ++j) {
            if (!stos[j].wezel)
                stos[j].wezel = stos[j - 1].wezel->dodajWezel(stos[j].nazwa);
            zrzucTekst(stos[j]);
        }
        return stos[i].wezel;
    }

    // Indentation between child elements is no content.
    void zamknijBieg()
    {
        if (biegnacy.isEmpty())
            return;
        const bool bialy =
            std::ranges::all_of(biegnacy, [](char z) { return z == ' ' || z == '\t' || z == '\n' || z == '\r'; });
        if (!stos.empty() && !(stos.back().wezel && bialy))
            stos.back().tekst += QString::fromUtf8(biegnacy);
        biegnacy.clear();
    }

    void poczatek(const char *nazwa, const char **atrybuty)
    {
        zamknijBieg();
        if (!korzen) {
            if (std::strcmp(nazwa, "root") != 0)
                return zakoncz(Koniec::Odrzucony);
            korzen = true;
            for (const char **a = atrybuty; *a; a += 2)
                if (std::strcmp(a[0], "rowCount") == 0)
                    wszystkie = QByteArrayView(a[1]).toInt();
        } else if (!*odbiorca) {
            ++glebokosc;
        } else if (stos.empty()) {
            rekord = std::make_unique<TIEComposite>(QString::fromUtf8(nazwa));
            stos.push_back({rekord->name, rekord.get(), {}});
        } else {
            stos.back().elementy = true;
            stos.push_back({QString::fromUtf8(nazwa), nullptr, {}});
        }
    }

    void koniecElementu()
    {
        zamknijBieg();
        if (!*odbiorca) {
            if (glebokosc > 0 && --glebokosc == 0 && !postep(++przeczytane))
                zakoncz(Koniec::Przerwany);
            return;
        }
        if (stos.empty())
            return;
        Poziom p = std::move(stos.back());
        stos.pop_back();
        if (p.wezel)
            zrzucTekst(p);
        else if (p.elementy ? !pusty(p.tekst) : !p.tekst.isEmpty())
            wezelPoziomu(stos.size() - 1)->dodajLisc(p.nazwa, p.tekst);
        if (!stos.empty())
            return;
        ++przeczytane;
        if (!(*odbiorca)(std::move(rekord)) || !postep(przeczytane))
            zakoncz(Koniec::Przerwany);
    }
};

} // namespace

bool TIEFileTypeXML::czytajKolejno(const QString &fileName, const OdbiorcaRekordow &odbiorca)
{
    m_odrzucony = false;
    QFile plik(fileName);
    if (!plik.open(QIODevice::ReadOnly))
        return odrzucPlik();
    // Expat reads several times faster than QXmlStreamReader, and an import
    // reads its file twice.
    const std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(XML_ParserCreate(nullptr),
                                                                              &XML_ParserFree);
    if (!parser)
        throw std::bad_alloc();
    CzytanieXml stan;
    stan.parser = parser.get();
    stan.odbiorca = &odbiorca;
    m_przeczytane = 0;
    stan.postep = [this, &stan](int przeczytane) {
        m_przeczytane = przeczytane;
        return zglosPostep(przeczytane, std::max(stan.wszystkie, przeczytane));
    };
    XML_SetUserData(parser.get(), &stan);
    XML_SetElementHandler(
        parser.get(),
        [](void *dane, const XML_Char *nazwa, const XML_Char **atrybuty) {
            static_cast<CzytanieXml *>(dane)->poczatek(nazwa, atrybuty);
        },
        [](void *dane, const XML_Char *) { static_cast<CzytanieXml *>(dane)->koniecElementu(); });
    XML_SetCharacterDataHandler(parser.get(), [](void *dane, const XML_Char *tekst, int dlugosc) {
        auto &s = *static_cast<CzytanieXml *>(dane);
        if (!s.stos.empty())
            s.biegnacy.append(tekst, dlugosc);
    });
    // Markup other than elements also ends a run of text.
    XML_SetCdataSectionHandler(
        parser.get(), [](void *dane) { static_cast<CzytanieXml *>(dane)->zamknijBieg(); },
        [](void *dane) { static_cast<CzytanieXml *>(dane)->zamknijBieg(); });
    XML_SetCommentHandler(parser.get(),
                          [](void *dane, const XML_Char *) { static_cast<CzytanieXml *>(dane)->zamknijBieg(); });
    XML_SetProcessingInstructionHandler(parser.get(), [](void *dane, const XML_Char *, const XML_Char *) {
        static_cast<CzytanieXml *>(dane)->zamknijBieg();
    });
    char blok[1 << 16];
    XML_Status wynik = XML_STATUS_OK;
    for (bool ostatni = false; !ostatni && wynik == XML_STATUS_OK;) {
        const qint64 ile = plik.read(blok, sizeof blok);
        if (ile < 0)
            return odrzucPlik();
        ostatni = ile == 0;
        wynik = XML_Parse(parser.get(), blok, int(ile), ostatni);
    }
    m_przeczytane = stan.przeczytane;
    if (stan.koniec == CzytanieXml::Koniec::Przerwany)
        return true;
    // A file without any element is an empty document, not a wrong one.
    if (stan.koniec == CzytanieXml::Koniec::Odrzucony
        || (wynik != XML_STATUS_OK && (stan.korzen || XML_GetErrorCode(parser.get()) != XML_ERROR_NO_ELEMENTS)))
        return odrzucPlik();
    return true;
}

// Columns come in order of first occurrence, so a line written before the
// last column was seen lacks the empty cells of the later ones; they are added
// when the lines are copied after the header.
struct TIEFileTypeCSV::Zapis
{
    QHash<QString, qsizetype> kolumny;
    QStringList naglowek{u"id"_s};
    // Runs of written lines and the number of columns they were written with.
    std::vector<std::pair<qsizetype, qsizetype>> odcinki;

    // The path grows and shrinks in one buffer, so walking a record allocates no paths.
    void zbierzKolumny(const TIEComposite &wezel, QString &sciezka)
    {
        const auto dlugosc = sciezka.size();
        for (const auto &c : wezel.children) {
            sciezka.truncate(dlugosc);
            sciezka += u':';
            sciezka += nazwa(*c);
            if (!c->IsLeaf())
                zbierzKolumny(static_cast<const TIEComposite &>(*c), sciezka);
            else if (!kolumny.contains(sciezka)) {
                kolumny.insert(sciezka, naglowek.size());
                naglowek.append(sciezka);
            }
        }
        sciezka.truncate(dlugosc);
    }

    // A node's line takes its own leaves and stands before its children's
    // lines, so a record's values read back in the order they were written;
    // a node without leaves of its own gives no line.
    void zapisz(const TIEComposite &wezel, QString &sciezka, std::vector<LiniaCsv> &linie,
                const QString &rodzic = {}) const
    {
        const auto miejsce = linie.size();
        linie.push_back({rodzic, {}});
        bool wypelniona = false;
        const auto dlugosc = sciezka.size();
        for (const auto &c : wezel.children) {
            sciezka.truncate(dlugosc);
            sciezka += u':';
            sciezka += nazwa(*c);
            if (!c->IsLeaf()) {
                zapisz(static_cast<const TIEComposite &>(*c), sciezka, linie, sciezka.left(dlugosc));
                continue;
            }
            QString wartosc = static_cast<const TIELeaf &>(*c).value;
            // Without quoting, a separator or a line break would split the value.
            if (wartosc.contains(u';') || wartosc.contains(u'\n') || wartosc.contains(u'\r')) {
                for (QChar &z : wartosc)
                    if (z == u';')
                        z = u',';
                    else if (z == u'\n' || z == u'\r')
                        z = u' ';
            }
            wypelniona = wypelniona || !wartosc.isEmpty();
            // A name repeated in a node: the last value stands.
            const qsizetype kolumna = kolumny.value(sciezka);
            if (QString *komorka = linie[miejsce].komorka(kolumna))
                *komorka = std::move(wartosc);
            else
                linie[miejsce].komorki.emplace_back(kolumna, std::move(wartosc));
        }
        sciezka.truncate(dlugosc);
        if (!wypelniona)
            linie.erase(linie.begin() + qsizetype(miejsce));
    }

    static const QString &nazwa(const TIEComponent &c)
    {
        return c.IsLeaf() ? static_cast<const TIELeaf &>(c).name : static_cast<const TIEComposite &>(c).name;
    }
};

TIEFileTypeCSV::TIEFileTypeCSV()
    : m_zapis(std::make_unique<Zapis>())
{}

TIEFileTypeCSV::~TIEFileTypeCSV() = default;

QStringList TIEFileTypeCSV::poczatek() const
{
    return {m_zapis->naglowek.join(u';')};
}

void TIEFileTypeCSV::zapiszRekord(const TIEComposite &record, QString &tekst)
{
    QString sciezka = record.name;
    m_zapis->zbierzKolumny(record, sciezka);
    std::vector<LiniaCsv> linie;
    m_zapis->zapisz(record, sciezka, linie);
    scal(linie);
    const QString numer = QString::number(writtenRecords() + 1);
    const qsizetype kolumny = m_zapis->naglowek.size();
    for (LiniaCsv &linia : linie) {
        std::ranges::sort(linia.komorki, {}, &std::pair<qsizetype, QString>::first);
        tekst += numer;
        qsizetype kolumna = 0;
        for (const auto &[k, wartosc] : linia.komorki) {
            tekst.resize(tekst.size() + (k - kolumna), u';');
            tekst += wartosc;
            kolumna = k;
        }
        tekst.resize(tekst.size() + (kolumny - 1 - kolumna), u';');
        tekst += "\r\n"_L1;
    }
    auto &odcinki = m_zapis->odcinki;
    if (odcinki.empty() || odcinki.back().second != kolumny)
        odcinki.emplace_back(0, kolumny);
    odcinki.back().first += qsizetype(linie.size());
}

bool TIEFileTypeCSV::przepiszRekordy(QIODevice &rekordy, QIODevice &target)
{
    const qsizetype kolumny = m_zapis->naglowek.size();
    QByteArray linia;
    for (const auto &[liczba, zapisane] : m_zapis->odcinki) {
        const QByteArray brakujace(kolumny - zapisane, ';');
        for (qsizetype i = 0; i < liczba; ++i) {
            linia = rekordy.readLine();
            if (!linia.endsWith("\r\n"))
                return false;
            linia.insert(linia.size() - 2, brakujace);
            if (target.write(linia) != linia.size())
                return false;
        }
    }
    return true;
}

bool TIEFileTypeCSV::czytajKolejno(const QString &fileName, const OdbiorcaRekordow &odbiorca)
{
    m_odrzucony = false;
    QFile plik(fileName);
    if (!plik.open(QIODevice::ReadOnly))
        return odrzucPlik();
    // The next line with anything on it; a CR left inside a line is a line
    // break in a value: a blank, as the writer writes it.
    auto nastepnaLinia = [&plik, pierwsza = true]() mutable {
        while (!plik.atEnd()) {
            QString linia = QString::fromUtf8(plik.readLine());
            if (std::exchange(pierwsza, false) && linia.startsWith(QChar::ByteOrderMark))
                linia.remove(0, 1);
            if (linia.endsWith(u'\n'))
                linia.chop(1);
            if (linia.endsWith(u'\r'))
                linia.chop(1);
            linia.replace(u'\r', u' ');
            if (!linia.isEmpty())
                return linia;
        }
        return QString();
    };
    const QString pierwszaLinia = nastepnaLinia();
    const QStringList naglowek = pierwszaLinia.split(u';');
    if (naglowek[0] != "id"_L1 || naglowek.size() < 2 || !pierwszaLinia.contains(u':'))
        return odrzucPlik();
    std::vector<QStringList> sciezki;
    for (const QString &kolumna : naglowek)
        sciezki.push_back(kolumna.split(u':'));
    const QString nazwaRekordu = sciezki[1][0];

    std::unique_ptr<TIEComposite> rekord;
    int numerRekordu = 0;
    // Without a receiver only the numbers and whether a record has values are followed.
    bool biezacyMaWartosci = false;
    std::optional<int> biezacy;
    m_przeczytane = 0;
    const auto oddaj = [&] {
        // Lines without a single value make no record, as the writer makes no line of one.
        if (odbiorca ? rekord->children.empty() : !biezacyMaWartosci)
            return true;
        ++m_przeczytane;
        return (!odbiorca || odbiorca(std::move(rekord))) && zglosPostep(m_przeczytane, m_przeczytane);
    };
    for (QString linia = nastepnaLinia(); !linia.isEmpty(); linia = nastepnaLinia()) {
        const QList<QStringView> komorki = QStringView(linia).split(u';');
        bool ok = false;
        const int numer = komorki[0].toInt(&ok);
        if (!ok)
            return odrzucPlik();
        if (!odbiorca) {
            if (biezacy != numer) {
                if (biezacy && !oddaj())
                    return true;
                biezacy = numer;
                biezacyMaWartosci = false;
            }
            for (qsizetype k = 1; k < std::min(komorki.size(), naglowek.size()) && !biezacyMaWartosci; ++k)
                biezacyMaWartosci = !komorki[k].isEmpty() && (sciezki[k].size() == 2 || sciezki[k].size() == 4);
            continue;
        }
        if (!rekord || numer != numerRekordu) {
            if (rekord && !oddaj())
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
                rekord->dodajLisc(s[1], komorki[k].toString());
            if (s.size() != 4)
                continue;
            TIEComposite *&pozycja = pozycje[s[1]];
            if (!pozycja) {
                auto *pojemnik = static_cast<TIEComposite *>(dziecko(*rekord, s[1], false));
                pozycja = (pojemnik ? pojemnik : rekord->dodajWezel(s[1]))->dodajWezel(s[2]);
            }
            // A column repeated in the header keeps its first value, as on the record.
            if (!dziecko(*pozycja, s[3], true))
                pozycja->dodajLisc(s[3], komorki[k].toString());
        }
    }
    if (rekord || biezacy)
        oddaj();
    return true;
}
