// gendata DIR: writes everything the demo reads into DIR, the same bytes on every run.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/wav_writer.h"
#include "encode_mp3.h"
#include "music.h"
#include "overlays.h"
#include "platform/report.h"
#include "scene_layout.h"
#include "synth.h"
#include "write_3ds.h"

namespace {

struct Output {
    std::string dir;
    std::string path(const std::string& name) const { return dir + "/" + name; }
};

bool fail(const std::string& what, const std::string& message)
{
    report(what.c_str(), message);
    return false;
}

// Files are written under a temporary name and renamed when complete, so that an
// interrupted run never leaves a truncated file under the name the demo reads.
bool commit(const Output& out, const std::string& name, bool written)
{
    std::string part = out.path(name + ".part");
    if (!written) {
        std::string reason = std::strerror(errno);
        std::remove(part.c_str());
        return fail(out.path(name), "cannot write: " + reason);
    }
    if (std::rename(part.c_str(), out.path(name).c_str()) != 0)
        return fail(part, std::string("cannot rename: ") + std::strerror(errno));
    return true;
}

bool writeBytes(const Output& out, const std::string& name, const std::vector<uint8_t>& bytes)
{
    FILE* f = std::fopen(out.path(name + ".part").c_str(), "wb");
    bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f) ok = std::fclose(f) == 0 && ok;
    return commit(out, name, ok);
}

bool writeImage(const Output& out, const std::string& name, const Image& image)
{
    return commit(out, name, saveImage(out.path(name + ".part").c_str(), image));
}

bool writeSceneFiles(const Output& out)
{
    SceneDesc scene = buildScene();
    if (!writeBytes(out, "scenedemo.3DS", write3ds(scene))) return false;
    for (const MaterialDesc& m : scene.materials)
        if (!writeImage(out, m.mapFile, m.paintTexture())) return false;
    size_t triangles = 0;
    for (const MeshData& mesh : scene.meshes) triangles += mesh.faces.size();
    std::printf("gendata: scenedemo.3DS with %zu materials, %zu meshes (%zu triangles), %zu lights, %zu cameras\n",
                scene.materials.size(), scene.meshes.size(), triangles, scene.lights.size(), scene.cameras.size());
    return true;
}

bool writeOverlays(const Output& out)
{
    OverlayImages scroll = paintGreetsScroll(), panel = paintGreetsPanel();
    return writeImage(out, "greets.bmp", scroll.colour) && writeImage(out, "greetsalpha.bmp", scroll.mask) &&
           writeImage(out, "greets2.bmp", panel.colour) && writeImage(out, "greets2alpha.bmp", panel.mask);
}

bool writeMusic(const Output& out, const std::string& encoder)
{
    const std::string wav = out.path("sorvel.wav.part"), mp3 = "sorvel.mp3";
    std::vector<int16_t> pcm = renderMusic();
    if (!writeWav(wav.c_str(), pcm, kMusicChannels, kSampleRate)) {
        std::string reason = std::strerror(errno);
        std::remove(wav.c_str());
        return fail(wav, "cannot write: " + reason);
    }
    std::string error;
    bool encoded = encodeMp3(encoder, wav, out.path(mp3 + ".part"), error);
    std::remove(wav.c_str());
    if (!encoded) {
        std::remove(out.path(mp3 + ".part").c_str());
        return fail(out.path(mp3), "cannot encode the music: " + error);
    }
    std::printf("gendata: sorvel.mp3, %.1f seconds at %d kbit/s\n", musicSeconds(), kMusicBitrate);
    return commit(out, mp3, true);
}

bool makeDirectory(const std::string& dir)
{
    if (mkdir(dir.c_str(), 0777) == 0 || errno == EEXIST) {
        struct stat st;
        if (stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return true;
        return fail(dir, "exists and is not a directory");
    }
    return fail(dir, std::string("cannot create: ") + std::strerror(errno));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || argv[1][0] == '\0') {
        std::fprintf(stderr, "usage: gendata DIR\nwrites the demo's scene, textures, overlays and music into DIR\n");
        return 2;
    }
    // The encoder is looked for first, so that a machine without it gets nothing half done.
    std::string encoder = findOnPath(kEncoderProgram);
    if (encoder.empty()) {
        report(kEncoderProgram, std::string("not found on PATH; it encodes the music (Debian package ") +
                                    kEncoderProgram + ")");
        return 1;
    }
    Output out{argv[1]};
    bool ok = makeDirectory(out.dir) && writeSceneFiles(out) && writeOverlays(out) && writeMusic(out, encoder);
    return ok ? 0 : 1;
}
