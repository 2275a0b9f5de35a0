#include "company/strony/strona_dokumenty.h"

#include "dokumenty/lista_dokumenty_fr.h"

#include <QVBoxLayout>

namespace partners {

StronaDokumenty::StronaDokumenty(QWidget *rodzic)
    : StronaFirmy(rodzic, "tsDokumenty"),
      m_lista(new Tlista_dokumenty_frame(this))
{
    auto *uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->addWidget(m_lista);
}

void StronaDokumenty::zaladuj(int idFirmy)
{
    m_lista->UstawWlasciciela(-1, -1, -1, idFirmy);
    m_lista->Otworz(window()->objectName());
}

void StronaDokumenty::ustawUprawnienia(int upr)
{
    StronaFirmy::ustawUprawnienia(upr);
    m_lista->UstawUprawnienia(upr);
}

} // namespace partners
