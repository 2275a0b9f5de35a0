// The import's CSV reader against its writer.
#include "record_tree_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TIEFileTypeCSV csv;
    checkRoundTrip(csv, data, size, true);
    return 0;
}
