#include "ramka/import_eksport/czytanie_w_tle.h"

namespace {

// Enough to ride over a slow record on either side, few enough to hold little.
constexpr size_t NaprzodRekordow = 64;

} // namespace

CzytanieWTle::CzytanieWTle(std::function<bool(const OdbiorcaRekordow &)> czytaj)
{
    m_watek = std::thread([this, czytaj = std::move(czytaj)] {
        bool wynik = false;
        std::exception_ptr blad;
        try {
            wynik = czytaj([this](std::unique_ptr<TIEComposite> rekord) { return wloz(std::move(rekord)); });
        } catch (...) {
            blad = std::current_exception();
        }
        const std::lock_guard lock(m_blokada);
        m_wynik = wynik;
        m_blad = blad;
        m_koniecPliku = true;
        m_jestRekord.notify_all();
    });
}

CzytanieWTle::~CzytanieWTle()
{
    try {
        zakoncz();
    } catch (...) {
        // A destructor must not throw; whoever wanted the outcome asked zakoncz().
    }
}

bool CzytanieWTle::wloz(std::unique_ptr<TIEComposite> rekord)
{
    std::unique_lock lock(m_blokada);
    m_jestMiejsce.wait(lock, [this] { return m_porzucone || m_kolejka.size() < NaprzodRekordow; });
    if (m_porzucone)
        return false;
    m_kolejka.push_back(std::move(rekord));
    // Woken rarely: each wake is a system call.
    if (m_kolejka.size() == 1)
        m_jestRekord.notify_one();
    return true;
}

std::unique_ptr<TIEComposite> CzytanieWTle::nastepny()
{
    std::unique_lock lock(m_blokada);
    m_jestRekord.wait(lock, [this] { return m_koniecPliku || !m_kolejka.empty(); });
    if (m_kolejka.empty())
        return nullptr;
    std::unique_ptr<TIEComposite> rekord = std::move(m_kolejka.front());
    m_kolejka.pop_front();
    if (m_kolejka.size() == NaprzodRekordow / 2)
        m_jestMiejsce.notify_one();
    return rekord;
}

bool CzytanieWTle::zakoncz()
{
    {
        const std::lock_guard lock(m_blokada);
        m_porzucone = true;
        m_kolejka.clear();
        m_jestMiejsce.notify_all();
    }
    if (m_watek.joinable())
        m_watek.join();
    if (m_blad)
        std::rethrow_exception(std::exchange(m_blad, nullptr));
    return m_wynik;
}
