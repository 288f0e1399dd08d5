// Measures the strict read of a SoundFont bank (the packer's verification of a bank file): its
// time and the process's peak working set before and after it.
//
// Usage: soundfont_bench BANK (a Windows path, e.g. Z:\usr\share\sounds\sf2\FluidR3_GM.sf2)
// Prints: soundfont BANK bytes B presets P samples S seconds T peak_before_mb M1 peak_after_mb M2
#include "base/UTF16String.h"
#include "bench/PeakMemory.h"
#include "filelib/FileLibWrappers.h"
#include "filelib/FileMedia.h"
#include "media/soundfont/SoundFontBank.h"

#include <chrono>
#include <cstdio>
#include <exception>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: soundfont_bench BANK\n");
        return 2;
    }
    try
    {
        const NSFileLibSupport::TFileSpecPtr spec =
            NSFileLibSupport::FileSpecFromWinPath(NSTextPackage::FromWide(argv[1]));
        NSFileLibSupport::COpenFile media(spec.get());
        const double before = NSBench::PeakWorkingSetMB();
        const auto start = std::chrono::steady_clock::now();
        const NSFerrant::CSoundFontBank bank(media);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double after = NSBench::PeakWorkingSetMB();
        std::printf("soundfont %ls bytes %lld presets %zu samples %zu seconds %.3f peak_before_mb %.1f "
                    "peak_after_mb %.1f\n",
                    argv[1], static_cast<long long>(media.GetSize()),
                    bank.GetContents().fPresetHeaders.size() - 1,
                    bank.GetContents().fSampleHeaders.size() - 1, seconds, before, after);
        return 0;
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "soundfont_bench: %s\n", e.what());
        return 1;
    }
}
