// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlistfile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <vector>

#include "common/fileio.h"
#include "common/recordtext.h"

namespace tunedex {

namespace {

void AppendCounted(std::string& out, std::string_view bytes) {
  const std::size_t size = std::min<std::size_t>(bytes.size(), 255);
  out.push_back(static_cast<char>(size));
  out.append(bytes.substr(0, size));
}

}  // namespace

std::string PlayListBytes(const tPlayList& list) {
  std::string out;
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const tPlayListItem& item = list.Item(i);
    // 25 characters stay within 100 bytes even as UTF-8.
    AppendCounted(out, EncodeRecordText(item.Singer, 255));
    AppendCounted(out, item.Song->Record().FileName());
  }
  return out;
}

LoadOutcome ReadPlayList(std::span<const std::uint8_t> bytes, tPlayList& list,
                         UserInteraction& user) {
  const auto text = [&](std::size_t at, std::size_t size) {
    return std::string_view(reinterpret_cast<const char*>(bytes.data()) + at, size);
  };
  const std::size_t size = bytes.size();
  list.Clear();
  std::size_t at = 0;
  while (at < size) {
    const std::size_t n = bytes[at++];
    if (at + n > size) break;  // a damaged tail: keep what was complete
    const std::string singer = DecodeRecordText(text(at, n));
    at += n;
    if (at == size) break;  // cut short after the singer
    const std::size_t m = bytes[at++];
    const tSong* song = nullptr;
    std::string_view name;
    if (m > 0 && at + m <= size) {
      name = text(at, m);
      song = list.Catalogue().Songs().FindByFileName(name);
      at += m;
    } else {
      at += m;  // a name of no length, or one that runs past the end, is not read
    }
    if (song != nullptr) {
      list.Append(singer, *song);
      continue;
    }
    const Button answer = user.ShowMessage(
        MessageKind::Error, "Cannot find " + DecodeRecordText(name) + "\rin current Song list.",
        {Button::Ok, Button::Cancel});
    if (answer == Button::Cancel) return LoadOutcome::Cancelled;
  }
  return LoadOutcome::Loaded;
}

LoadOutcome LoadPlayList(const std::string& path, tPlayList& list, UserInteraction& user) {
  std::vector<std::uint8_t> bytes;
  try {
    bool truncated = false;
    bytes = ReadFileHead(path, kMaxPlayListFileSize, &truncated);
    if (truncated) {
      user.ShowError("Cannot open the playlist " + DecodeRecordText(path) +
                     ": it is larger than any playlist (" +
                     std::to_string(kMaxPlayListFileSize >> 20) + " MB).");
      return LoadOutcome::Failed;
    }
  } catch (const FileError& error) {
    if (error.SystemError() == ENOENT) return LoadOutcome::Missing;
    user.ShowError(DecodeRecordText(error.what()));
    return LoadOutcome::Failed;
  }
  return ReadPlayList(bytes, list, user);
}

bool SavePlayList(const std::string& path, const tPlayList& list, UserInteraction& user) {
  try {
    WriteFileAtomically(path, PlayListBytes(list));
    return true;
  } catch (const FileError& error) {
    user.ShowError(DecodeRecordText(error.what()) + "\r\rThe playlist file was not changed.");
    return false;
  }
}

std::string ActivePlayListName(std::string_view catalogueFile) {
  const std::string_view name = FileNamePart(catalogueFile);
  const std::size_t dot = name.rfind('.');
  std::string result(catalogueFile);
  if (dot != std::string_view::npos && dot > 0) {
    result.resize(catalogueFile.size() - (name.size() - dot));
  }
  return result + std::string(kPlayListExtension);
}

bool IsPlaylistFileName(std::string_view path) {
  if (path.size() < kPlayListExtension.size()) return false;
  const std::string_view end = path.substr(path.size() - kPlayListExtension.size());
  return std::equal(end.begin(), end.end(), kPlayListExtension.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

}  // namespace tunedex
