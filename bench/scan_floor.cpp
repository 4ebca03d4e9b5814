// The floor for a one-off `quadrivo-tool cerca`: the plainest program that
// reads one length group of LESSICO.DAT and scans it for a mask, printing
// the words that agree, one a line (the same output as cerca).
//
//   scan_floor LESSICO.DAT MASK      ('_' is a free place)

#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const std::string mask = argv[2];
    const std::size_t L = mask.size();
    if (L < 3 || L > 15) return 2;
    const int fd = open(argv[1], O_RDONLY);
    if (fd < 0) return 1;
    char index[408];
    if (pread(fd, index, sizeof index, 0) != static_cast<ssize_t>(sizeof index)) return 1;
    const auto field = [&](std::size_t position) { return std::atol(std::string(index + position - 1, 8).c_str()); };
    const long start = field(201 + 16 * (L - 3)), end = field(209 + 16 * (L - 3));
    const std::size_t bytes = (end - start) / L * L;
    std::string group(bytes, ' ');
    for (std::size_t done = 0; done < bytes;) {
        const ssize_t got = pread(fd, group.data() + done, bytes - done, start - 1 + static_cast<long>(done));
        if (got <= 0) return 1;
        done += static_cast<std::size_t>(got);
    }
    std::string out;
    for (std::size_t at = 0; at < bytes; at += L) {
        std::size_t i = 0;
        while (i < L && (mask[i] == '_' || mask[i] == group[at + i])) ++i;
        if (i < L) continue;
        out.append(group, at, L);
        out += '\n';
    }
    for (std::size_t done = 0; done < out.size();) {
        const ssize_t put = write(1, out.data() + done, out.size() - done);
        if (put <= 0) return 1;
        done += static_cast<std::size_t>(put);
    }
    return 0;
}
