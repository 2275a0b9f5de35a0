// The scanning module's entry point: pages from a SANE device to JPEG files.
#include "skanowanie_api.h"

#include "handler_guard.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "sibling_entry.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <sane/sane.h>
#include <sane/saneopts.h>
#include <stop_token>
#include <thread>
#include <utility>

namespace {

const QString Zrodlo = QStringLiteral("scan_import");
// Readable print and signatures at a modest file size.
constexpr double RozdzielczoscDpi = 200;
// A feeder that never reports itself empty must not scan forever.
constexpr int MaksStron = 500;
constexpr auto LimitStrony = std::chrono::minutes(3);

void loguj(int linia, const QString &tekst)
{
    host::save_log_to_file(Zrodlo, QStringLiteral("_SkanujDokumenty"), linia, tekst);
}

QString opisBledu(SANE_Status status)
{
    return QString::fromUtf8(sane_strstatus(status));
}

std::pair<int, const SANE_Option_Descriptor *> opcja(SANE_Handle urzadzenie, const char *nazwa)
{
    for (int n = 1;; ++n) {
        const SANE_Option_Descriptor *d = sane_get_option_descriptor(urzadzenie, n);
        if (!d)
            return {0, nullptr};
        if (d->name && std::strcmp(d->name, nazwa) == 0)
            return {n, SANE_OPTION_IS_ACTIVE(d->cap) && SANE_OPTION_IS_SETTABLE(d->cap) ? d : nullptr};
    }
}

QString tekstOpcji(SANE_Handle urzadzenie, const char *nazwa)
{
    const auto [n, d] = opcja(urzadzenie, nazwa);
    if (!d || d->type != SANE_TYPE_STRING)
        return {};
    QByteArray wartosc(d->size, '\0');
    if (sane_control_option(urzadzenie, n, SANE_ACTION_GET_VALUE, wartosc.data(), nullptr) != SANE_STATUS_GOOD)
        return {};
    return QString::fromUtf8(wartosc.constData());
}

// The first wanted value the device lists; names differ between backends.
bool ustawTekst(SANE_Handle urzadzenie, const char *nazwa, const QStringList &chciane)
{
    const auto [n, d] = opcja(urzadzenie, nazwa);
    if (!d || d->type != SANE_TYPE_STRING || d->constraint_type != SANE_CONSTRAINT_STRING_LIST)
        return false;
    for (const QString &chciana : chciane)
        for (const SANE_String_Const *s = d->constraint.string_list; *s; ++s)
            if (chciana.compare(QString::fromUtf8(*s), Qt::CaseInsensitive) == 0) {
                QByteArray wartosc(d->size, '\0');
                std::strncpy(wartosc.data(), *s, wartosc.size() - 1);
                return sane_control_option(urzadzenie, n, SANE_ACTION_SET_VALUE, wartosc.data(), nullptr)
                    == SANE_STATUS_GOOD;
            }
    return false;
}

// The allowed value nearest to the wanted one, for integer and fixed-point options.
void ustawLiczbe(SANE_Handle urzadzenie, const char *nazwa, double chciana)
{
    const auto [n, d] = opcja(urzadzenie, nazwa);
    if (!d || (d->type != SANE_TYPE_INT && d->type != SANE_TYPE_FIXED) || d->size != sizeof(SANE_Word))
        return;
    const bool staloprzecinkowa = d->type == SANE_TYPE_FIXED;
    auto liczba = [=](SANE_Word w) { return staloprzecinkowa ? SANE_UNFIX(w) : double(w); };
    double wartosc = chciana;
    if (d->constraint_type == SANE_CONSTRAINT_RANGE) {
        wartosc = std::clamp(chciana, liczba(d->constraint.range->min), liczba(d->constraint.range->max));
    } else if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST && d->constraint.word_list[0] > 0) {
        const SANE_Word *lista = d->constraint.word_list;
        wartosc = liczba(lista[1]);
        for (int i = 2; i <= lista[0]; ++i)
            if (std::abs(liczba(lista[i]) - chciana) < std::abs(wartosc - chciana))
                wartosc = liczba(lista[i]);
    }
    SANE_Word slowo = staloprzecinkowa ? SANE_FIX(wartosc) : SANE_Word(std::lround(wartosc));
    sane_control_option(urzadzenie, n, SANE_ACTION_SET_VALUE, &slowo, nullptr);
}

uchar probka(const uchar *wiersz, int i, int glebia)
{
    if (glebia == 1)
        return (wiersz[i / 8] >> (7 - i % 8)) & 1 ? 0 : 255; // line art: a set bit is black
    if (glebia == 16) {
        quint16 v;
        std::memcpy(&v, wiersz + 2 * i, 2);
        return uchar(v >> 8);
    }
    return wiersz[i];
}

// One frame into the page: grey, RGB, or one colour of a three-pass scan.
bool dodajRamke(QImage &obraz, const SANE_Parameters &p, const QByteArray &dane)
{
    const bool szary = p.format == SANE_FRAME_GRAY;
    const int kolor = p.format == SANE_FRAME_GREEN ? 1 : p.format == SANE_FRAME_BLUE ? 2 : 0;
    if (p.format > SANE_FRAME_BLUE || p.bytes_per_line <= 0 || p.pixels_per_line <= 0
        || (p.depth != 1 && p.depth != 8 && p.depth != 16) || dane.size() < p.bytes_per_line)
        return false;
    if (obraz.isNull()) {
        obraz = QImage(p.pixels_per_line, int(dane.size() / p.bytes_per_line),
                       szary ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
        obraz.fill(Qt::white);
    }
    const int kanaly = p.format == SANE_FRAME_RGB ? 3 : 1;
    const int krok = obraz.format() == QImage::Format_Grayscale8 ? 1 : 3;
    const int wiersze = std::min(obraz.height(), int(dane.size() / p.bytes_per_line));
    const int szerokosc = std::min(obraz.width(), p.pixels_per_line);
    for (int y = 0; y < wiersze; ++y) {
        const auto *wiersz = reinterpret_cast<const uchar *>(dane.constData()) + qsizetype(y) * p.bytes_per_line;
        uchar *cel = obraz.scanLine(y);
        for (int x = 0; x < szerokosc; ++x)
            for (int c = 0; c < std::min(kanaly, krok); ++c)
                cel[x * krok + kolor + c] = probka(wiersz, x * kanaly + c, p.depth);
    }
    return true;
}

// Cancels a page that takes longer than any scanner needs, so a hung device
// cannot hold the caller's thread.
class Straznik
{
public:
    explicit Straznik(SANE_Handle urzadzenie)
        : m_watek([urzadzenie](std::stop_token koniec) {
              std::mutex m;
              std::unique_lock blokada(m);
              std::condition_variable_any czekaj;
              if (!czekaj.wait_for(blokada, koniec, LimitStrony, [] { return false; }) && !koniec.stop_requested())
                  sane_cancel(urzadzenie);
          })
    {}

private:
    std::jthread m_watek;
};

SANE_Status czytajStrone(SANE_Handle urzadzenie, QImage &obraz)
{
    const Straznik straznik(urzadzenie);
    SANE_Parameters p{};
    do {
        SANE_Status status = sane_start(urzadzenie);
        if (status == SANE_STATUS_GOOD)
            status = sane_get_parameters(urzadzenie, &p);
        if (status != SANE_STATUS_GOOD)
            return status;
        QByteArray dane;
        SANE_Byte bufor[64 * 1024];
        SANE_Int ile = 0;
        while ((status = sane_read(urzadzenie, bufor, sizeof bufor, &ile)) == SANE_STATUS_GOOD)
            dane.append(reinterpret_cast<const char *>(bufor), ile);
        if (status != SANE_STATUS_EOF)
            return status;
        if (!dodajRamke(obraz, p, dane))
            return SANE_STATUS_UNSUPPORTED;
    } while (!p.last_frame);
    return SANE_STATUS_GOOD;
}

QByteArray jpeg(const QImage &obraz)
{
    QByteArray wynik;
    QBuffer bufor(&wynik);
    bufor.open(QIODevice::WriteOnly);
    obraz.save(&bufor, "JPG", 85);
    return wynik;
}

// "a/skan.jpg" page 2 is "a/skan_2.jpg", as the name dialog shows it.
QString nazwaStrony(const QString &cel, int strona)
{
    qsizetype kropka = cel.lastIndexOf(QLatin1Char('.'));
    if (kropka <= cel.lastIndexOf(QLatin1Char('/')))
        kropka = cel.size();
    return cel.left(kropka) + QLatin1Char('_') + QString::number(strona) + cel.mid(kropka);
}

struct Sesja
{
    Sesja()
        : status(sane_init(nullptr, nullptr))
    {}
    ~Sesja()
    {
        if (urzadzenie)
            sane_close(urzadzenie);
        if (status == SANE_STATUS_GOOD)
            sane_exit();
    }
    SANE_Status status;
    SANE_Handle urzadzenie = nullptr;
};

int skanuj(const QString &cel, QStringList &zapisane)
{
    Sesja sesja;
    if (sesja.status != SANE_STATUS_GOOD) {
        loguj(__LINE__, QStringLiteral("SANE: %1").arg(opisBledu(sesja.status)));
        return 0;
    }
    QString nazwa = host::var::Scanner.get();
    if (nazwa.isEmpty()) {
        const SANE_Device **lista = nullptr;
        if (sane_get_devices(&lista, SANE_FALSE) != SANE_STATUS_GOOD || !lista || !lista[0]) {
            loguj(__LINE__, QStringLiteral("no scanner found"));
            return 0;
        }
        nazwa = QString::fromUtf8(lista[0]->name);
    }
    if (const SANE_Status s = sane_open(nazwa.toUtf8().constData(), &sesja.urzadzenie); s != SANE_STATUS_GOOD) {
        sesja.urzadzenie = nullptr;
        loguj(__LINE__, QStringLiteral("scanner %1: %2").arg(nazwa, opisBledu(s)));
        return 0;
    }
    const QString zrodlo = host::var::ScannerSource.get();
    if (!zrodlo.isEmpty() && !ustawTekst(sesja.urzadzenie, SANE_NAME_SCAN_SOURCE, {zrodlo}))
        loguj(__LINE__, QStringLiteral("scanner %1 has no source %2").arg(nazwa, zrodlo));
    ustawTekst(sesja.urzadzenie, SANE_NAME_SCAN_MODE, {"Color", "Colour", "Gray", "Grey", "Grayscale"});
    ustawLiczbe(sesja.urzadzenie, SANE_NAME_BIT_DEPTH, 8);
    ustawLiczbe(sesja.urzadzenie, SANE_NAME_SCAN_RESOLUTION, RozdzielczoscDpi);
    const QString zrodloTeraz = tekstOpcji(sesja.urzadzenie, SANE_NAME_SCAN_SOURCE);
    const bool podajnik = zrodloTeraz.contains(QLatin1String("ADF"), Qt::CaseInsensitive)
        || zrodloTeraz.contains(QLatin1String("feeder"), Qt::CaseInsensitive);

    QDir().mkpath(QFileInfo(cel).absolutePath());
    auto zapisz = [&](const QByteArray &dane, const QString &sciezka) {
        QFile plik(sciezka);
        // Never over a file already in the store.
        if (plik.open(QIODevice::WriteOnly | QIODevice::NewOnly) && plik.write(dane) == dane.size()) {
            zapisane << sciezka;
            return true;
        }
        loguj(__LINE__, QStringLiteral("%1: %2").arg(sciezka, plik.errorString()));
        if (plik.isOpen())
            plik.remove();
        return false;
    };
    // A single page keeps the target name, so the first waits for the second.
    QByteArray pierwsza;
    int strony = 0;
    while (strony < MaksStron) {
        QImage obraz;
        const SANE_Status status = czytajStrone(sesja.urzadzenie, obraz);
        if (status != SANE_STATUS_GOOD) {
            if (status != SANE_STATUS_NO_DOCS || strony == 0)
                loguj(__LINE__, QStringLiteral("scanner %1: %2").arg(nazwa, opisBledu(status)));
            break;
        }
        const QByteArray strona = jpeg(obraz);
        if (++strony == 1)
            pierwsza = strona;
        else if ((strony == 2 && !zapisz(pierwsza, nazwaStrony(cel, 1))) || !zapisz(strona, nazwaStrony(cel, strony)))
            break;
        if (!podajnik)
            break;
    }
    sane_cancel(sesja.urzadzenie);
    if (strony == 1)
        zapisz(pierwsza, cel);
    return int(zapisane.size());
}

} // namespace

SIBLING_ENTRY int _SkanujDokumenty(QString sciezkaDocelowa, QString *pliki)
{
    return host::guard(0, [&] {
        QStringList zapisane;
        const int ile = skanuj(host::localPath(sciezkaDocelowa), zapisane);
        if (pliki)
            *pliki = zapisane.join(QLatin1Char(';'));
        return ile;
    });
}
