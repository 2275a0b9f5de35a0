#pragma once

#include "company/strony/strona_firmy.h"

class Tlista_dokumenty_frame;

namespace partners {

// The company's documents: the documents list with the company as its owner.
class StronaDokumenty : public StronaFirmy
{
    Q_OBJECT
public:
    explicit StronaDokumenty(QWidget *rodzic);
    void wczytaj(const DaneFirmy &) override {}
    void zbierz(DaneFirmy &) const override {}
    void zaladuj(int idFirmy) override;
    void ustawUprawnienia(int upr) override;

    Tlista_dokumenty_frame *lista() const { return m_lista; }

private:
    Tlista_dokumenty_frame *m_lista;
};

} // namespace partners
