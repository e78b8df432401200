#pragma once

// The volume label of a removable disk: the label of the file system
// mounted where the disk set's path lies, read without root rights from
// /proc/self/mountinfo and the /dev/disk/by-label links; the mount point's
// name when no label is known (an unlabelled disk, a network share).

#include <filesystem>
#include <string>
#include <string_view>

namespace quor::platform {

// The label for path ("" only when the path lies on no known mount).
std::string volumeLabel(const std::filesystem::path& path);

// The same with the system's sources given, for tests: the text of a
// mountinfo file and the folder of the label links.
std::string volumeLabel(const std::filesystem::path& path, std::string_view mountinfo,
                        const std::filesystem::path& byLabelFolder);

// Undoes the escapes of mountinfo fields ("\040" for a blank) and of udev
// link names ("\x20").
std::string unescapeMountField(std::string_view field);
std::string unescapeUdevName(std::string_view name);

}  // namespace quor::platform
