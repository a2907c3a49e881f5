#include <vector>

#include "base/CFile.h"
#include "base/Exceptions.h"

namespace {

void CopyAll(CFile& from, CFile& to) {
    std::vector<char> buffer(std::size_t(1) << 20);
    while (std::size_t got = from.Read(buffer.data(), buffer.size())) to.Write(buffer.data(), got);
}

CString FileNameOf(const CString& path) {
    int start = 0;
    for (int i = 0; i < path.GetLength(); ++i)
        if (path[i] == '/' || path[i] == '\\') start = i + 1;
    return path.Mid(start);
}

}  // namespace

void CAtomicFileWriter::WriteTargetFrom(CFile& content, std::uint64_t length) {
    CFile target;
    if (!target.OpenShown(m_target, CFile::modeWrite | CFile::shareDenyNone, m_shown))
        throw CFileException(target.GetOpenError());
    content.SeekToBegin();
    CopyAll(content, target);
    target.SetLength(length);
    target.Flush();
    target.Close();
}

// The new content is complete in m_file. The old one goes to a backup first,
// so that a failure half-way through can put it back, or at least say where
// it is.
void CAtomicFileWriter::Overwrite() {
    m_file.Flush();
    const std::uint64_t newLength = m_file.GetLength();
    CString backupPath;
    struct Remover {  // declared before the file: it must be closed first on Windows
        const CString& path;
        bool keep = false;
        ~Remover() {
            if (!keep && !path.IsEmpty()) RemoveFile(path);
        }
    } remover{backupPath};
    CFile backup;
    std::string error;
    if (!CreateBackupFile(FileNameOf(m_shown), backup, backupPath, error))
        throw CFileException("cannot write '" + m_shown.ToNativeText() + "': " + error);
    std::uint64_t oldLength = 0;
    try {
        CFile old;
        if (!old.OpenShown(m_target, CFile::modeRead | CFile::shareDenyNone, m_shown))
            throw CFileException(old.GetOpenError());
        CopyAll(old, backup);
        backup.Flush();
        oldLength = backup.GetLength();
    } catch (const CFileException& e) {
        throw CFileException("cannot write '" + m_shown.ToNativeText() +
                             "': no copy of the old content could be made first (" + e.GetReason() + ")");
    }
    try {
        WriteTargetFrom(m_file, newLength);
    } catch (const CFileException& failure) {
        try {
            WriteTargetFrom(backup, oldLength);
        } catch (const CFileException&) {
            remover.keep = true;
            throw CFileException(failure.GetReason() + "; the old content is kept in '" + backupPath.ToNativeText() + "'");
        }
        throw;
    }
}
