// jetdb: list, dump and build Jet databases from the command line.
//
//   jetdb tables FILE                  user tables, one a line
//   jetdb dump FILE TABLE              the table as JSON on stdout
//   jetdb build SOURCE.json OUT.mdb [--jet3]
//
// Exit status: 0 success, 1 a failure (message on stderr), 2 bad usage.
#include "data/jet/jet.h"
#include "tools/jetwriter/jet_writer.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

int usage() {
    std::cerr << "usage: jetdb tables FILE\n"
                 "       jetdb dump FILE TABLE\n"
                 "       jetdb build SOURCE.json OUT.mdb [--jet3]\n";
    return 2;
}

void appendJsonString(std::string& out, std::string_view s) {
    out.push_back('"');
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                static const char* hex = "0123456789abcdef";
                out += "\\u00";
                out.push_back(hex[c >> 4]);
                out.push_back(hex[c & 15]);
            } else {
                out.push_back(ch);
            }
        }
    }
    out.push_back('"');
}

std::string dumpJson(const jet::Table& t) {
    std::string out = "{\"columns\":[";
    for (std::size_t i = 0; i < t.columns.size(); ++i) {
        if (i) out.push_back(',');
        out += "{\"name\":";
        appendJsonString(out, t.columns[i].name);
        out += ",\"type\":";
        appendJsonString(out, jet::typeName(t.columns[i].type));
        out.push_back('}');
    }
    out += "],\"rows\":[";
    for (std::size_t r = 0; r < t.rowCount(); ++r) {
        out += r ? ",\n[" : "\n[";
        for (std::size_t c = 0; c < t.columns.size(); ++c) {
            if (c) out.push_back(',');
            const jet::Value& v = t.at(r, c);
            if (v)
                appendJsonString(out, *v);
            else
                out += "null";
        }
        out.push_back(']');
    }
    out += "]}\n";
    return out;
}

// SOURCE.json: {"tables":[{"name":..,"columns":[{"name":..,"type":"text"|"memo","size":n}],
//                          "rows":[[value or null, ...], ...]}]}
jetw::DatabaseDef parseSource(const nlohmann::json& j) {
    jetw::DatabaseDef db;
    for (const auto& jt : j.at("tables")) {
        jetw::TableDef t;
        t.name = jt.at("name").get<std::string>();
        for (const auto& jc : jt.at("columns")) {
            jetw::ColumnDef c;
            c.name = jc.at("name").get<std::string>();
            const std::string type = jc.value("type", "text");
            if (type == "text")
                c.kind = jetw::ColumnKind::Text;
            else if (type == "memo")
                c.kind = jetw::ColumnKind::Memo;
            else
                throw std::runtime_error("table '" + t.name + "', column '" + c.name + "': unknown type '" +
                                         type + "' (text or memo)");
            c.size = jc.value("size", 255);
            t.columns.push_back(std::move(c));
        }
        if (jt.contains("rows")) {
            for (const auto& jr : jt.at("rows")) {
                std::vector<jetw::Cell> row;
                for (const auto& v : jr) {
                    if (v.is_null())
                        row.emplace_back(std::nullopt);
                    else
                        row.emplace_back(v.get<std::string>());
                }
                t.rows.push_back(std::move(row));
            }
        }
        db.tables.push_back(std::move(t));
    }
    return db;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc < 2) return usage();
    const std::string cmd = argv[1];
    try {
        if (cmd == "tables" && argc == 3) {
            const auto db = jet::Database::open(argv[2]);
            std::string out;
            for (const auto& name : db.tableNames())
                out += name + '\n';
            std::fwrite(out.data(), 1, out.size(), stdout);
            return 0;
        }
        if (cmd == "dump" && argc == 4) {
            const auto db = jet::Database::open(argv[2]);
            const std::string out = dumpJson(db.readTable(argv[3]));
            std::fwrite(out.data(), 1, out.size(), stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
        if (cmd == "build" && (argc == 4 || (argc == 5 && std::string(argv[4]) == "--jet3"))) {
            std::ifstream in(argv[2], std::ios::binary);
            if (!in) throw std::runtime_error(std::string(argv[2]) + ": cannot open");
            nlohmann::json j;
            try {
                j = nlohmann::json::parse(in);
            } catch (const nlohmann::json::exception& e) {
                throw std::runtime_error(std::string(argv[2]) + ": " + e.what());
            }
            const auto version = argc == 5 ? jetw::Version::Jet3 : jetw::Version::Jet4;
            jetw::writeDatabaseFile(parseSource(j), argv[3], version);
            return 0;
        }
    } catch (const std::exception& e) {
        std::cerr << "jetdb: " << e.what() << '\n';
        return 1;
    }
    return usage();
}
