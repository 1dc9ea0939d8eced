// Melody text: the input as UTF-8 text read into a melody, which then
// writes its own text form.

#include "FuzzSupport.h"

#include "model/Notes.h"

#include <QString>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TNotes notes;
    Refused([&] { notes.SetText(QString::fromUtf8(FuzzInput(data, size))); });
    notes.Text();
    return 0;
}
