#pragma once
// The program's one document window: the source folder, the output file, the information of the
// package being prepared, the host-folder choice and, during a pack, its progress.
#include "filelib/FileLibWrappers.h"
#include "gui/Windows.h"

namespace NSFileLibSupport
{
class CRobustFileSpec;
}

namespace NSVantleApp
{
class CCreateWindow : public NSTrellisGlue::CABCDocumentWindow
{
public:
    CCreateWindow(NSTrellis::IDocumentWindow* native, const NSTextPackage::TUTF16String& title);
    ~CCreateWindow() override;

    // 1 from the start of a pack run to its end.
    bool IsPacking() const;

    // Each refreshes the window, also when it throws.
    void SetInputFolder(const NSFileLibSupport::TDirSpecPtr& folder);
    void SetOutputFolder(const NSFileLibSupport::TDirSpecPtr& folder);
    void SetOutputFile(const std::shared_ptr<NSFileLibSupport::CRobustFileSpec>& file);

    // The Create command: asks for what is missing, then packs; true when a pack ran.
    bool CreateVantle();
};
} // namespace NSVantleApp
