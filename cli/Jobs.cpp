#include "Jobs.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "FormatLists.h"
#include "Messages.h"
#include "OptionValues.h"
#include "StandardStreams.h"

namespace cli {
namespace {

// The --depth or --mask options that read standard input.
std::vector<std::string> StandardInputReaders(const Options& Parsed) {
    std::vector<std::string> Readers;
    for (const SettingAction& Action : Parsed.Settings)
        if (const auto* Source = std::get_if<TPictureSource>(&Action.Value);
            Source && Source->From == TPictureSource::TKind::File && Source->FileName == StandardStream)
            Readers.push_back(Action.Option);
    return Readers;
}

void CheckInputs(const Options& Parsed) {
    if (std::ranges::find(Parsed.Files, StandardStream) != Parsed.Files.end())
        throw UsageError("'-' is not a FILE argument; read a depth map from standard input with --depth -");
    const bool HasDepthOption = std::ranges::any_of(Parsed.Settings, [](const SettingAction& A) { return A.Target == Setting::DepthMap; });
    if (HasDepthOption && !Parsed.Files.empty())
        throw UsageError("--depth and FILE arguments both name the depth map; give one of them");
    const std::vector<std::string> Readers = StandardInputReaders(Parsed);
    if (Readers.size() > 1) throw UsageError("standard input can be read only once, by one of --depth - and --mask -");
    if (!Readers.empty() && StandardInputIsTerminal())
        throw UsageError(Readers.front() + " -: standard input is a terminal; pipe a picture in");
}

TFileFormat FormatOfFolderOrStream(const Options& Parsed) {
    return *WrittenFormatOfExtension(Parsed.Format.empty() ? "png" : Parsed.Format);
}

void CheckOutputs(const Options& Parsed, bool ToFolder) {
    const bool ToStream = Parsed.OutputPath == StandardStream;
    if (Parsed.Files.size() > 1 && !ToFolder)
        throw UsageError("several FILE arguments need an output folder: -o DIR/ (here " + Quoted(Parsed.OutputPath) + ")");
    if (ToStream && StandardOutputIsTerminal())
        throw UsageError("--output -: standard output is a terminal; redirect it to a file or a pipe");
    if (!Parsed.Format.empty() && !ToFolder && !ToStream)
        throw UsageError("--format: applies to -o DIR/ and -o -; here the extension of " + Quoted(Parsed.OutputPath) +
                         " names the format");
    if (!Parsed.DepthOutPath.empty() && Parsed.Files.size() > 1)
        throw UsageError("--depth-out names one file; it cannot serve several FILE arguments");
}

}  // namespace

std::string OutputFolder(const Options& Parsed) {
    if (Parsed.OutputPath == StandardStream || !IsFolderPath(Parsed.OutputPath)) return {};
    return Parsed.OutputPath.ends_with('/') ? Parsed.OutputPath : Parsed.OutputPath + "/";
}

std::vector<TJob> PlanJobs(const Options& Parsed) {
    CheckInputs(Parsed);
    const std::string Folder = OutputFolder(Parsed);
    if (Parsed.Action == Command::Render) CheckOutputs(Parsed, !Folder.empty());
    std::vector<std::string> DepthFiles = Parsed.Files;
    if (DepthFiles.empty()) DepthFiles.emplace_back();
    std::vector<TJob> Jobs;
    std::map<std::string, std::string> WrittenFrom;  // output path → the FILE it is made of
    for (const std::string& File : DepthFiles) {
        TJob Job{File, Parsed.OutputPath, TFileFormat::Png, Parsed.DepthOutPath};
        if (Folder.empty() && Parsed.OutputPath != StandardStream) {
            Job.Format = *FormatOfExtension(Parsed.OutputPath);
        } else {
            Job.Format = FormatOfFolderOrStream(Parsed);
            if (!Folder.empty()) {
                const std::string Name = File.empty() ? "stereogram" : std::filesystem::path(File).stem().string();
                Job.OutputPath = Folder + Name + "." + (Parsed.Format.empty() ? "png" : Parsed.Format);
            }
        }
        if (Parsed.Action == Command::Render && Job.DepthOutPath == Job.OutputPath)
            throw UsageError("--depth-out and --output both name " + Quoted(Job.OutputPath));
        if (const auto [At, New] = WrittenFrom.emplace(Job.OutputPath, File); !New && Parsed.Action == Command::Render)
            throw UsageError(Quoted(At->second) + " and " + Quoted(File) + " would both be written to " + Quoted(Job.OutputPath));
        Jobs.push_back(std::move(Job));
    }
    return Jobs;
}

}  // namespace cli
