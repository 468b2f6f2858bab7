// The command line of the benches that take a command and "--name value" options.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace bench {

class CommandOptions {
public:
    // The "--name value" pairs after argv[1], the command; `program` names the bench in messages.
    CommandOptions(const char* program, int argc, char* argv[]) : program_(program) {
        for (int i = 2; i + 1 < argc; i += 2) {
            if (std::strncmp(argv[i], "--", 2) == 0)
                values_[argv[i] + 2] = argv[i + 1];
        }
    }

    // The value of --name, else `def`; with neither the program ends, naming the option.
    std::string Get(const std::string& name, const std::string& def = "") const {
        auto it = values_.find(name);
        if (it != values_.end())
            return it->second;
        if (def.empty()) {
            std::fprintf(stderr, "%s: missing --%s\n", program_, name.c_str());
            std::exit(2);
        }
        return def;
    }

private:
    const char* program_;
    std::map<std::string, std::string> values_;
};

}  // namespace bench
