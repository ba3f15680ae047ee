// SPDX-License-Identifier: GPL-3.0-or-later
// `tunedex-cli list DB --sort title` over 100,000 songs beside SQLite answering the same listing
// from a database file holding the same rows: both read a file in the page cache, order the
// songs by title ignoring case and write every song as a line of TAB-separated fields to
// /dev/null. Each benchmark reports the median of its repetitions; the ratio of BM_ListCommand
// to BM_SqliteList is the figure to watch.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue/database.h"
#include "cli/commands.h"
#include "cli/outputbuffer.h"
#include "common/recordtext.h"
#include "generatedcatalogue.h"
#include "song/songtype.h"

namespace tunedex {
namespace {

constexpr std::size_t kSongs = 100'000;
constexpr int kRepetitions = 9;

void Check(int status, sqlite3* db, const char* what) {
  if (status != SQLITE_OK && status != SQLITE_DONE && status != SQLITE_ROW) {
    throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
  }
}

// The generated catalogue as a Tunedex file and as two SQLite files with the same rows, texts
// in UTF-8 as the list command prints them: one plain table, one with an index on the title
// in the order the query asks for.
struct Catalogues {
  Catalogues() : tunedex(kSongs) {
    plainSqlite = tunedex.folder + "/songs.sqlite";
    indexedSqlite = tunedex.folder + "/songs-indexed.sqlite";
    const std::vector<tSongRecord> records = bench::GeneratedCatalogue(kSongs);
    WriteSqlite(plainSqlite, records, false);
    WriteSqlite(indexedSqlite, records, true);
  }

  static void WriteSqlite(const std::string& path, const std::vector<tSongRecord>& records,
                          bool indexed) {
    sqlite3* db = nullptr;
    Check(sqlite3_open(path.c_str(), &db), db, "open");
    Check(sqlite3_exec(db,
                       "pragma journal_mode=delete;"
                       "create table songs(idcode text, title text, artist text, language text,"
                       " filename text, filetype text, format text, lyrics integer, notes text);"
                       "begin;",
                       nullptr, nullptr, nullptr),
          db, "create");
    sqlite3_stmt* insert = nullptr;
    Check(sqlite3_prepare_v2(db, "insert into songs values (?,?,?,?,?,?,?,?,?)", -1, &insert,
                             nullptr),
          db, "prepare insert");
    for (const tSongRecord& record : records) {
      const std::string texts[] = {record.IdCode(),
                                   record.Title(),
                                   record.Artist(),
                                   record.Language(),
                                   DecodeRecordText(record.FileName()),
                                   std::string(SongTypeName(record.FileType())),
                                   std::string(SongTypeName(record.InternalFormat()))};
      for (int i = 0; i < 7; ++i) {
        sqlite3_bind_text(insert, i + 1, texts[i].data(), static_cast<int>(texts[i].size()),
                          SQLITE_TRANSIENT);
      }
      sqlite3_bind_int(insert, 8, record.HasLyrics() ? 1 : 0);
      const std::string notes = record.Notes();
      sqlite3_bind_text(insert, 9, notes.data(), static_cast<int>(notes.size()), SQLITE_TRANSIENT);
      Check(sqlite3_step(insert), db, "insert");
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    if (indexed) {
      Check(sqlite3_exec(db, "create index songs_by_title on songs(title collate nocase)", nullptr,
                         nullptr, nullptr),
            db, "index");
    }
    Check(sqlite3_exec(db, "commit", nullptr, nullptr, nullptr), db, "commit");
    sqlite3_close(db);
  }

  bench::GeneratedCatalogueFile tunedex;
  std::string plainSqlite;
  std::string indexedSqlite;
};

const Catalogues& TheCatalogues() {
  static const Catalogues catalogues;
  return catalogues;
}

struct NullOutput {
  NullOutput() : file(std::fopen("/dev/null", "w")) {}
  ~NullOutput() { std::fclose(file); }
  std::FILE* file;
};

// The command as the program runs it, from its arguments to the last line written.
void BM_ListCommand(benchmark::State& state) {
  const cli::Arguments arguments({TheCatalogues().tunedex.path, "--sort", "title"}, {});
  NullOutput out;
  SilentUser user;
  for (auto _ : state) {
    if (cli::RunList(arguments, user, out.file) != cli::kExitOk) state.SkipWithError("list failed");
  }
}
BENCHMARK(BM_ListCommand)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

// SQLite from opening the file to the last line, formatted as the command formats its lines.
// Argument: 0 for the plain table (SQLite sorts), 1 for the indexed one (SQLite walks the index).
void BM_SqliteList(benchmark::State& state) {
  const std::string& path =
      state.range(0) == 0 ? TheCatalogues().plainSqlite : TheCatalogues().indexedSqlite;
  NullOutput out;
  for (auto _ : state) {
    sqlite3* db = nullptr;
    Check(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), db, "open");
    sqlite3_stmt* select = nullptr;
    Check(sqlite3_prepare_v2(db,
                             "select idcode,title,artist,language,filename,filetype,format,"
                             "lyrics,notes from songs order by title collate nocase",
                             -1, &select, nullptr),
          db, "prepare");
    cli::OutputBuffer buffer(out.file);
    while (sqlite3_step(select) == SQLITE_ROW) {
      for (int column = 0; column < 9; ++column) {
        if (column > 0) buffer.Put('\t');
        if (column == 7) {
          buffer.Put(sqlite3_column_int(select, column) != 0 ? '1' : '0');
          continue;
        }
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(select, column));
        const auto size = static_cast<std::size_t>(sqlite3_column_bytes(select, column));
        buffer.AppendField({text == nullptr ? "" : text, size});
      }
      buffer.Put('\n');
    }
    buffer.Flush();
    sqlite3_finalize(select);
    sqlite3_close(db);
  }
}
BENCHMARK(BM_SqliteList)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tunedex

BENCHMARK_MAIN();
