// Feeds arbitrary bytes to the readers of the per-user settings file and of
// the tips file, as the start-up reads them.
#include "document/text.h"
#include "platform/qt/encoding.h"
#include "platform/qt/qt_settings.h"

#include <QString>

#include <cstdint>
#include <fstream>
#include <string>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // The tips: every line becomes a text.
    std::size_t shown = 0;
    for (const std::string& line : document::TextLines(bytes)) shown += platform::FromBytes(line).size();
    (void)shown;

    // The settings, read back from a file as the program reads them.
    static const std::string file = "/dev/shm/quadrivo_settings_fuzz_" + std::to_string(::getpid()) + ".ini";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const platform::QtSettings settings(QString::fromStdString(file));
    settings.Get("Options", "Show Tips at Startup", "1");
    settings.Get("Opzioni strane/\xC3\xA8", "chiave=%", "");
    return 0;
}
