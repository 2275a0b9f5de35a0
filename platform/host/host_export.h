#pragma once

#include <QtCore/qglobal.h>

#if defined(MALVO_HOST_LIBRARY)
#define MALVO_HOST_EXPORT Q_DECL_EXPORT
#else
#define MALVO_HOST_EXPORT Q_DECL_IMPORT
#endif
