// The import's XML reader against its writer.
#include "record_tree_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TIEFileTypeXML xml;
    checkRoundTrip(xml, data, size, false);
    return 0;
}
