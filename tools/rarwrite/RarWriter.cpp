#include "tools/rarwrite/RarWriter.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string_view>

#include "tools/rarwrite/Crc32.h"
#include "tools/rarwrite/Headers.h"
#include "tools/rarwrite/VolumeFile.h"
#include "tools/rarwrite/VolumeNames.h"

namespace rarwrite {
namespace {

bool HasData(const Entry& entry) {
    return !entry.directory && !entry.data.empty();
}

uint64_t TotalData(const std::vector<Entry>& entries) {
    uint64_t total = 0;
    for (const Entry& entry : entries) {
        total += entry.directory ? 0 : entry.data.size();
    }
    return total;
}

// Volumes are filled with exactly volumeSize data bytes each, so the count is known before
// writing: the first main header must already say whether the archive is a volume set.
size_t VolumeCount(uint64_t totalData, uint64_t volumeSize) {
    if (volumeSize == 0 || totalData <= volumeSize) {
        return 1;
    }
    return static_cast<size_t>((totalData + volumeSize - 1) / volumeSize);
}

void RequireEntryWithData(const std::vector<Entry>& entries, const std::string& name,
                          const char* fault) {
    if (name.empty()) {
        return;
    }
    const bool found = std::any_of(entries.begin(), entries.end(), [&](const Entry& entry) {
        return entry.name == name && HasData(entry);
    });
    if (!found) {
        throw std::runtime_error(std::string(fault) + ": no entry with data named " + name);
    }
}

void CheckOptions(const std::vector<Entry>& entries, const Options& options,
                  const HeaderBuilder& headers) {
    if (options.format == Format::Rar5 && options.naming == Naming::OldStyle) {
        throw std::runtime_error("RAR 5 volume sets are always named x.partN.rar");
    }
    for (const Entry& entry : entries) {
        if (entry.name.empty()) {
            throw std::runtime_error("entry without a name");
        }
        if (!entry.directory && entry.data.size() > headers.MaxFileSize()) {
            throw std::runtime_error("file too large for this format: " + entry.name);
        }
    }
    RequireEntryWithData(entries, options.faults.flipDataByteOf, "flip data byte");
    RequireEntryWithData(entries, options.faults.flipHeaderByteOf, "flip header byte");
    RequireEntryWithData(entries, options.faults.wrongPartCrcOf, "wrong part CRC");
}

class SetWriter {
public:
    SetWriter(const std::vector<Entry>& entries, const Options& options)
        : options_(options),
          headers_(options.format == Format::Rar4 ? MakeRar4Headers() : MakeRar5Headers()) {
        CheckOptions(entries, options, *headers_);
        count_ = VolumeCount(TotalData(entries), options.volumeSize);
        multiVolume_ = count_ > 1;
        budget_ = multiVolume_ ? options.volumeSize : UINT64_MAX;
        remaining_ = budget_;
    }

    std::vector<std::string> Write(const std::string& firstVolumePath,
                                   const std::vector<Entry>& entries) {
        paths_ = VolumePaths(firstVolumePath, count_, options_.naming, options_.partDigits);
        StartVolume();
        for (const Entry& entry : entries) {
            WriteEntry(entry);
        }
        FinishVolume(false);
        if (index_ + 1 != paths_.size()) {
            throw std::logic_error("volume layout does not match the planned count");
        }
        return paths_;
    }

    size_t Count() const { return count_; }

private:
    void StartVolume() {
        file_ = std::make_unique<VolumeFile>(paths_.at(index_));
        file_->Write(headers_->Signature());
        VolumeInfo volume;
        volume.multiVolume = multiVolume_;
        volume.index = index_;
        volume.partsNaming = options_.naming == Naming::Parts;
        file_->Write(headers_->MainHeader(volume));
        remaining_ = budget_;
    }

    void FinishVolume(bool nextFollows) {
        file_->Write(headers_->EndBlock(nextFollows && !options_.faults.omitNextVolumeFlag));
        file_->Close();
        file_.reset();
    }

    void NextVolume() {
        FinishVolume(true);
        ++index_;
        StartVolume();
    }

    PartInfo BasePart(const Entry& entry) const {
        PartInfo part;
        part.entry = &entry;
        part.storedName = options_.verbatimNames ? entry.name : headers_->StoredName(entry.name);
        part.wholeSize = entry.directory ? 0 : entry.data.size();
        part.compressedMethod = options_.faults.compressedMethod && !entry.directory;
        part.encrypted = options_.faults.encrypted && !entry.directory;
        return part;
    }

    void WriteHeader(const PartInfo& part, bool firstPart) {
        BuiltHeader header = headers_->FileHeader(part);
        const std::string& name = part.entry->name;
        if (firstPart && name == options_.faults.flipHeaderByteOf) {
            header.bytes[header.nameOffset] ^= 0x01;  // after the CRC was computed
        }
        file_->Write(header.bytes);
    }

    void WriteEntry(const Entry& entry) {
        if (!HasData(entry)) {
            WriteHeader(BasePart(entry), true);
            return;
        }
        const std::string_view data = entry.data;
        const uint32_t wholeCrc = Crc32(data);
        uint64_t offset = 0;
        while (offset < data.size()) {
            if (remaining_ == 0) {
                NextVolume();
            }
            const uint64_t take = std::min<uint64_t>(remaining_, data.size() - offset);
            const std::string_view slice = data.substr(offset, take);
            PartInfo part = BasePart(entry);
            part.partSize = take;
            part.splitBefore = offset > 0;
            part.splitAfter = offset + take < data.size();
            part.crc = part.splitAfter ? Crc32(slice) : wholeCrc;
            if (offset == 0 && entry.name == options_.faults.wrongPartCrcOf) {
                part.crc += 1;
            }
            WriteHeader(part, offset == 0);
            WriteData(entry, slice, offset == 0);
            remaining_ -= take;
            offset += take;
        }
    }

    void WriteData(const Entry& entry, std::string_view slice, bool firstPart) {
        if (firstPart && entry.name == options_.faults.flipDataByteOf) {
            file_->Write(std::string(1, static_cast<char>(~slice[0])));
            slice.remove_prefix(1);
        }
        file_->Write(slice);
    }

    const Options& options_;
    std::unique_ptr<HeaderBuilder> headers_;
    std::vector<std::string> paths_;
    std::unique_ptr<VolumeFile> file_;
    size_t count_ = 1;
    bool multiVolume_ = false;
    uint64_t budget_ = 0;
    uint64_t remaining_ = 0;
    size_t index_ = 0;
};

void CheckVolumeIndex(int index, size_t count, const char* fault) {
    if (index >= 0 && static_cast<size_t>(index) >= count) {
        throw std::runtime_error(std::string(fault) + ": the set has only " +
                                 std::to_string(count) + " volume(s)");
    }
}

void ApplyFileFaults(const std::vector<std::string>& paths, const Faults& faults) {
    namespace fs = std::filesystem;
    if (faults.truncateVolume >= 0) {
        const fs::path path = paths[static_cast<size_t>(faults.truncateVolume)];
        fs::resize_file(path, fs::file_size(path) / 2);
    }
    if (faults.deleteVolume >= 0) {
        fs::remove(paths[static_cast<size_t>(faults.deleteVolume)]);
    }
}

}  // namespace

std::vector<std::string> WriteArchive(const std::string& firstVolumePath,
                                      const std::vector<Entry>& entries, const Options& options) {
    SetWriter writer(entries, options);
    CheckVolumeIndex(options.faults.deleteVolume, writer.Count(), "delete volume");
    CheckVolumeIndex(options.faults.truncateVolume, writer.Count(), "truncate volume");
    std::vector<std::string> paths = writer.Write(firstVolumePath, entries);
    try {
        ApplyFileFaults(paths, options.faults);
    } catch (const std::filesystem::filesystem_error& error) {
        throw std::runtime_error(error.what());
    }
    return paths;
}

}  // namespace rarwrite
