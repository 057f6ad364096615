// The router's user settings and their file, Router.ini.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace pathwick {

class TIniFile;

class TRouteOptions {
public:
    // Creates folder when missing (one level), binds to folder/Router.ini and loads it.
    explicit TRouteOptions(const std::string& folder);
    ~TRouteOptions();
    TRouteOptions(const TRouteOptions&) = delete;
    TRouteOptions& operator=(const TRouteOptions&) = delete;

    void LoadFromFile();
    // Raises EWriteError ("Unable to write to <path>") on the first refused write.
    void SaveToFile();

    int32_t GetTimeOut() const { return TimeOut; }
    int32_t GetAvoidWiresPosition() const { return AvoidWiresPosition; }
    int32_t GetObjectInset() const { return 0; }
    const std::string& FilePath() const;

    int32_t TimeOut = 3000;         // milliseconds, 1 to 600000
    int32_t ObjectInset = 0;        // always 0
    int32_t AvoidWiresPosition = 1; // 1 to 10

private:
    std::unique_ptr<TIniFile> file_;
};

} // namespace pathwick
