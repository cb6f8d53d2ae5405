// A Linux host in C++: the same tank table as c_host.c, behind a small class that owns the
// connection and turns failures into exceptions carrying the library's message.
//
//   c++ -std=c++17 cpp_host.cpp $(pkg-config --cflags --libs quorlin) -o cpp_host
//   ./cpp_host /tmp/tanks.db
#include <quorlin.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string LastError() {
  char text[QUORLIN_LAST_ERROR_SIZE] = "";
  SQLLastError(text, sizeof text);
  return text;
}

void Require(bool done, const std::string& step) {
  if (!done) throw std::runtime_error(step + " failed: " + LastError());
}

class Database {
 public:
  explicit Database(const std::string& connect) : m_id(SQLConnectToDatabase(connect.c_str())) {
    Require(m_id >= 0, "connect");
  }
  ~Database() { SQLDisconnectToDatabase(m_id); }
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  void Execute(const std::string& statement) {
    Require(SQLExcute(m_id, statement.c_str()) == 0, statement);
  }
  void Select(const std::string& table, const std::string& condition) {
    Require(SQLSelectToTable(m_id, table.c_str(), condition.c_str()) == 0, "select " + table);
  }
  double Average(const std::string& table, const std::string& column) {
    double result = 0;
    Require(SQLAggregate(m_id, table.c_str(), QUORLIN_AVG, column.c_str(), &result, nullptr) == 0,
            "average of " + column);
    return result;
  }

 private:
  int m_id;
};

// A field of the current record, whole whatever its length: the copy stops at the buffer's
// size without a terminator, so the buffer grows until the value ends inside it.
std::string Field(const std::string& name) {
  for (std::vector<char> buffer(64);; buffer.resize(buffer.size() * 2)) {
    Require(SQLGetFieldValue(name.c_str(), buffer.data(), static_cast<int>(buffer.size())) == 1,
            "read " + name);
    if (buffer.back() == '\0') return buffer.data();
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DATABASE-FILE\n", argv[0]);
    return 2;
  }
  try {
    Database db(std::string("Driver=SQLite3;Database=") + argv[1]);
    db.Execute("DROP TABLE IF EXISTS Tanks");
    db.Execute("CREATE TABLE Tanks (Tag CHAR(8), Level FLOAT)");
    db.Execute("INSERT INTO Tanks VALUES ('T1', 1.5), ('T2', 2.5), ('T3', 4)");
    db.Select("Tanks", "Level > 2");
    const int count = SQLGetRowCount();
    std::printf("%d tanks above 2:\n", count);
    for (int i = 0; i < count; ++i) {
      Require(i == 0 || SQLMoveRecord(QUORLIN_MOVE_NEXT) == 0, "move");
      std::printf("  %s at %s\n", Field("Tag").c_str(), Field("Level").c_str());
    }
    std::printf("average level %.2f\n", db.Average("Tanks", "Level"));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
