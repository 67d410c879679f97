#!/usr/bin/python3
"""The winget and Scoop manifests of a release (README.md, "Install with winget
or Scoop").

    tools/manifests.py write <release folder> <RELEASE_URL>   make manifests, make sign
    tools/manifests.py check <release folder> <RELEASE_URL>   the checks alone
    tools/manifests.py url <RELEASE_URL>                       RELEASE_URL alone

A release folder holds ClickPocket-<version>-i686.zip and -x86_64.zip and their
SHA256SUMS; RELEASE_URL is the address the folder's files will have. write makes
manifests/winget/ (the version, defaultLocale and installer files of a
multi-file manifest) and manifests/scoop/clickpocket.json beside them, checks
them as check does and only then moves them into place. Every refusal is one
line on stderr and exit code 1, and leaves no manifests/ behind.

What the manifests say of the package comes from the version block in
res/clickpocket.rc and from core/config.h, nowhere else (see read_product).
The checks: each manifest against the schemas in tools/manifest-schemas/ (ours,
each rule named with the documentation it comes from), then each address is
RELEASE_URL plus an archive that is there, each hash is its archive's and the
one in SHA256SUMS, and the program the manifests start is a file at the root of
each archive. Last, what the two community repositories ask of the files
themselves beyond their schemas: each winget file names its schema in a header
comment, and the Scoop manifest has CRLF line ends (see the functions below).
"""
import hashlib
import json
import os
import re
import shutil
import sys
import tempfile
import zipfile

import yaml
from jsonschema import Draft202012Validator, RefResolver

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SCHEMAS = os.path.join(TOP, "tools", "manifest-schemas")

# ArchiveBinariesDependOnPath came with manifest schema 1.9.0: a manifest of an
# older version has no such field, and winget ignores it there (an unknown
# field), so it would link the command into its Links folder after all.
WINGET_MANIFEST_VERSION = "1.9.0"
# For manifest versions 1.7 and later, the full validation of winget's community
# repository wants each file to name its schema in a comment before the first
# key, the type spelled exactly so (winget-cli, ManifestSchemaValidation.cpp):
# without it the pull request fails with "Schema header not found".
SCHEMA_HEADER = ("# yaml-language-server: $schema=https://aka.ms/winget-manifest.{}."
                 + WINGET_MANIFEST_VERSION + ".schema.json")
LOCALE = "en-US"
PROGRAM = "ClickPocket.exe"
COMMAND = "clickpocket"
WORKSPACE = "My ClickPocket"
# Our machine names, winget's and Scoop's.
ARCHES = (("i686", "x86", "32bit"), ("x86_64", "x64", "64bit"))
# The non-SPDX licence words that Scoop's documentation names.
LICENCE_WORDS = ("Freeware", "Proprietary", "Shareware", "Public Domain")


class Refusal(Exception):
    """One line for the maker; nothing was written."""


# --- the one source: the version block and core/config.h ------------------

def c_strings(expression, defines, what):
    """The text of adjacent C string literals and macros naming them."""
    text = ""
    for literal, name in re.findall(r'\s*(?:"((?:[^"\\]|\\.)*)"|([A-Za-z_]\w*))', expression):
        if name:
            if name not in defines:
                raise Refusal(f"{what} names {name}, which core/config.h does not define")
            text += defines[name]
        else:
            text += literal.replace('\\"', '"').replace("\\\\", "\\")
    return text


def read_product():
    """What the manifests say of the package, derived from the values the
    version block already has (and the two that core/config.h adds):

      Publisher   CompanyName up to " - ", the maker's name; the rest is the
                  publisher's page
      Identifier  the publisher's letters and digits, without its spaces and
                  punctuation, a dot, ProductName: "Corvellan International"
                  and "ClickPocket" give CorvellanInternational.ClickPocket
      Version     ProductVersion's numbers with dots, less a last 0 (the build
                  number): "1, 0, 0, 0" gives 1.0.0, the archives' version
      Licence     the last sentence of LegalCopyright ("... Freeware.")
      Summary     CP_PRODUCT_SUMMARY; product page: CP_PRODUCT_PAGE_URL
    """
    with open(os.path.join(TOP, "core", "config.h"), encoding="ascii") as f:
        defines = {name: c_strings(value, {}, name) for name, value in
                   re.findall(r'^#define\s+(\w+)\s+("(?:[^"\\]|\\.)*")\s*$', f.read(), re.M)}
    with open(os.path.join(TOP, "res", "clickpocket.rc"), encoding="ascii") as f:
        block = re.search(r'BLOCK\s+"StringFileInfo"(.*?)\n\s*BLOCK\s+"VarFileInfo"', f.read(), re.S)
    if not block:
        raise Refusal("res/clickpocket.rc has no version block")
    values = {key: c_strings(value, defines, f"the version block's {key}") for key, value in
              re.findall(r'^\s*VALUE\s+"(\w+)"\s*,\s*(.*?)\s*$', block.group(1), re.M)}
    for key in ("CompanyName", "ProductName", "ProductVersion", "LegalCopyright"):
        if not values.get(key):
            raise Refusal(f"the version block in res/clickpocket.rc has no {key}")

    publisher, _, publisher_url = values["CompanyName"].partition(" - ")
    numbers = re.fullmatch(r"\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*", values["ProductVersion"])
    if not numbers:
        raise Refusal(f"the version block's ProductVersion is not four numbers: {values['ProductVersion']}")
    version = [str(int(n)) for n in numbers.groups()]
    if version[3] == "0":
        version.pop()
    sentences = [s.strip() for s in values["LegalCopyright"].split(". ") if s.strip()]
    licence = sentences[-1].rstrip(".")
    if licence not in LICENCE_WORDS:
        raise Refusal(f"the version block's LegalCopyright ends with no licence ({', '.join(LICENCE_WORDS)}): "
                      f"{values['LegalCopyright']}")
    summary = defines.get("CP_PRODUCT_SUMMARY")
    page = defines.get("CP_PRODUCT_PAGE_URL")
    if not summary or not page:
        raise Refusal("core/config.h lacks CP_PRODUCT_SUMMARY or CP_PRODUCT_PAGE_URL")
    name = values["ProductName"]
    return {
        "identifier": "".join(re.findall(r"[A-Za-z0-9]", publisher)) + "." + "".join(re.findall(r"[A-Za-z0-9]", name)),
        "publisher": publisher,
        "publisher_url": publisher_url or None,
        "name": name,
        "version": ".".join(version),
        "licence": licence,
        "copyright": sentences[0],
        "summary": summary,
        "page": page,
    }


# --- the release ---------------------------------------------------------

def check_url(url, version):
    """RELEASE_URL: the address of this release's own folder. Both package
    managers pin each version's hashes, so one address for every release (a
    "latest" folder) would break every manifest at the next release; and Scoop's
    autoupdate needs the version in it to find the next one."""
    example = f"https://releases.example/clickpocket/{version}/"
    if not url:
        raise Refusal(f"RELEASE_URL is not set: give the address of the release's folder, such as {example}")
    # Both schemas would take http; but what users download and run must come
    # over https, where nobody on the way can swap it.
    if url.lower().startswith("http://"):
        raise Refusal(f"RELEASE_URL is an http:// address: the archives are programs that users download and run, "
                      f"and go out over https:// only: {url}")
    if not re.fullmatch(r"[Hh][Tt][Tt][Pp][Ss]://[^\s/?#\"'<>\\]+/(?:[^\s?#\"'<>\\]*/)?", url):
        raise Refusal(f"RELEASE_URL is not an https:// address of a folder, ending in / "
                      f"and without query or fragment: {url}")
    if not version_pattern(version).search(url.split("://", 1)[1].partition("/")[2]):
        raise Refusal(f"RELEASE_URL names no folder of version {version} (such as {example}): "
                      f"each release needs an address of its own: {url}")


def version_pattern(version):
    return re.compile(r"(?<![\w.])" + re.escape(version) + r"(?![\w.])")


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for chunk in iter(lambda: f.read(1 << 20), b""):
            digest.update(chunk)
    return digest.hexdigest()


def read_release(folder, version):
    """{our machine name: (archive name, sha256)}, after checking the archives
    against SHA256SUMS and the version block."""
    sums_path = os.path.join(folder, "SHA256SUMS")
    if not os.path.isfile(sums_path):
        raise Refusal(f"no SHA256SUMS in {folder}")
    sums = {}
    with open(sums_path, encoding="utf-8") as f:
        for line in f:
            entry = re.fullmatch(r"([0-9a-fA-F]{64}) [ *](\S+)\n?", line)
            if not entry:
                raise Refusal(f"SHA256SUMS in {folder} has a line that is no sum: {line.strip()}")
            name = entry.group(2)
            sums[name[2:] if name.startswith("./") else name] = entry.group(1).lower()
    expected = {f"ClickPocket-{version}-{arch}.zip" for arch, _, _ in ARCHES}
    for name in sorted(os.listdir(folder)):
        if name.endswith(".zip") and name not in expected:
            raise Refusal(f"{name} in {folder} is no archive of version {version}, which the version block names")
    release = {}
    for arch, _, _ in ARCHES:
        name = f"ClickPocket-{version}-{arch}.zip"
        path = os.path.join(folder, name)
        if not os.path.isfile(path):
            raise Refusal(f"no archive {name} in {folder}")
        if name not in sums:
            raise Refusal(f"{name} in {folder} is not in SHA256SUMS")
        digest = sha256(path)
        if digest != sums[name]:
            raise Refusal(f"{name} in {folder} does not match SHA256SUMS")
        release[arch] = (name, digest)
    return release


def at_root(folder, archive, member):
    """Whether member is a file at the root of the archive, as both package
    managers unpack it into the package folder."""
    try:
        with zipfile.ZipFile(os.path.join(folder, archive)) as z:
            return any(info.filename == member and not info.is_dir() for info in z.infolist())
    except (OSError, zipfile.BadZipFile):
        return False


# --- writing ---------------------------------------------------------------

def winget_files(product, release, url):
    common = {"PackageIdentifier": product["identifier"], "PackageVersion": product["version"]}
    tail = {"ManifestVersion": WINGET_MANIFEST_VERSION}
    ident = product["identifier"]
    version = dict(common, DefaultLocale=LOCALE, ManifestType="version", **tail)
    locale = dict(common, PackageLocale=LOCALE, Publisher=product["publisher"])
    if product["publisher_url"]:
        locale["PublisherUrl"] = product["publisher_url"]
    locale.update({
        "PackageName": product["name"],
        "PackageUrl": product["page"],
        "License": product["licence"],
        "Copyright": product["copyright"],
        "ShortDescription": product["summary"],
        "InstallationNotes": (
            f'winget makes no Start-menu entry: start ClickPocket with "{COMMAND}" in the Run box '
            f'(Windows+R) or from the package folder, which "where {COMMAND}" shows in a new command prompt. '
            f'"{WORKSPACE}" is in that folder: before "winget uninstall --purge", which deletes it, '
            f'exit ClickPocket and copy "{WORKSPACE}" away. Install it for yourself, as winget does unless '
            f'told otherwise: with --scope machine it goes under Program Files, where only an elevated '
            f'administrator may create "{WORKSPACE}" and ClickPocket\'s settings, and for everyone else '
            f'ClickPocket stops at its start with "File access error".'),
        "ManifestType": "defaultLocale",
    }, **tail)
    installer = dict(common, **{
        "InstallerType": "zip",
        "NestedInstallerType": "portable",
        "NestedInstallerFiles": [{"RelativeFilePath": PROGRAM, "PortableCommandAlias": COMMAND}],
        # The package folder itself goes on PATH, rather than a link to the
        # program in winget's Links folder: started through such a link, the
        # program takes the link's folder for its own.
        "ArchiveBinariesDependOnPath": True,
        # No Scope: winget takes none from the manifest of a portable (it warns
        # "Scope is not supported for InstallerType portable") and installs it
        # for the user unless told --scope machine (README.md says what that
        # does to ClickPocket).
        "Installers": [{"Architecture": winget_arch, "InstallerUrl": url + release[arch][0],
                        "InstallerSha256": release[arch][1].upper()} for arch, winget_arch, _ in ARCHES],
        "ManifestType": "installer",
    }, **tail)
    return {f"{ident}.yaml": version, f"{ident}.locale.{LOCALE}.yaml": locale, f"{ident}.installer.yaml": installer}


def scoop_manifest(product, release, url):
    template = version_pattern(product["version"]).sub("$version", url)
    return {
        "version": product["version"],
        "description": product["summary"],
        "homepage": product["page"],
        "license": product["licence"],
        "notes": [
            f'"{WORKSPACE}" is kept in Scoop\'s persist folder across updates.',
            "After an update the welcome window shows once more and the Left Shift option is off.",
        ],
        "architecture": {scoop_arch: {"url": url + release[arch][0], "hash": release[arch][1]}
                         for arch, _, scoop_arch in reversed(ARCHES)},
        "shortcuts": [[PROGRAM, product["name"]]],
        # Only the workspace: Scoop makes a folder of any persisted name that is
        # not there, and a folder named welcome.dat or shift.dat would read as
        # the marker file.
        "persist": WORKSPACE,
        "checkver": {"url": product["page"], "regex": r"ClickPocket-([\d.]+)-x86_64\.zip"},
        "autoupdate": {
            "architecture": {scoop_arch: {"url": template + f"ClickPocket-$version-{arch}.zip"}
                             for arch, _, scoop_arch in reversed(ARCHES)},
            # Scoop finds each archive's line in the release's own SHA256SUMS.
            "hash": {"url": "$baseurl/SHA256SUMS"},
        },
    }


def write(folder, url):
    folder = os.path.abspath(folder)
    target = os.path.join(folder, "manifests")
    # An older set goes first, before anything can fail: it could be taken for
    # this release's.
    shutil.rmtree(target, ignore_errors=True)
    product = read_product()
    check_url(url, product["version"])
    release = read_release(folder, product["version"])
    stage = tempfile.mkdtemp(prefix=".manifests.", dir=folder)
    try:
        os.makedirs(os.path.join(stage, "winget"))
        os.makedirs(os.path.join(stage, "scoop"))
        for name, document in winget_files(product, release, url).items():
            with open(os.path.join(stage, "winget", name), "w", encoding="utf-8", newline="\n") as f:
                f.write(f"# {product['name']} {product['version']}, made by make manifests\n")
                f.write(SCHEMA_HEADER.format(document["ManifestType"]) + "\n")
                yaml.safe_dump(document, f, sort_keys=False, allow_unicode=True, width=1000)
        # Scoop's bucket tests want every line of a manifest ended by CRLF.
        with open(os.path.join(stage, "scoop", "clickpocket.json"), "w", encoding="utf-8", newline="\r\n") as f:
            json.dump(scoop_manifest(product, release, url), f, indent=4)
            f.write("\n")
        check(folder, url, stage)
        os.rename(stage, target)
    finally:
        shutil.rmtree(stage, ignore_errors=True)
    for root, _, files in sorted(os.walk(target)):
        for name in sorted(files):
            print(os.path.join(root, name))


# --- checking ----------------------------------------------------------------

def validate(document, schema_name, shown):
    path = os.path.join(SCHEMAS, schema_name)
    with open(path, encoding="utf-8") as f:
        schema = json.load(f)
    # The winget schemas share their rules for the identifier, the version and
    # the locale: references to a sibling file resolve beside this one.
    resolver = RefResolver(base_uri="file://" + path, referrer=schema)
    errors = sorted(Draft202012Validator(schema, resolver=resolver).iter_errors(document),
                    key=lambda e: list(e.absolute_path))
    if errors:
        where = "/".join(str(p) for p in errors[0].absolute_path) or "(top)"
        raise Refusal(f"{shown}: {where}: {errors[0].message}")


def check_schema_header(text, kind, shown):
    """The comment that names the file's schema, as winget looks for it: the
    first comment before the first key that mentions yaml-language-server."""
    for line in text.splitlines():
        line = line.strip()
        if line and not line.startswith("#"):
            break
        if "yaml-language-server" in line:
            if line != SCHEMA_HEADER.format(kind):
                raise Refusal(f"{shown}: its schema header is not {SCHEMA_HEADER.format(kind)}: {line}")
            return
    raise Refusal(f"{shown}: no schema header before the first key ({SCHEMA_HEADER.format(kind)})")


def check_crlf(text, shown):
    """Scoop's bucket tests: every line ends with CRLF, the last one too, and no
    line has trailing white space."""
    lines = text.split("\r\n")
    if lines[-1] or any("\r" in line or "\n" in line for line in lines):
        raise Refusal(f"{shown}: not every line ends with CRLF, which Scoop's bucket tests want")
    if any(line != line.rstrip() for line in lines):
        raise Refusal(f"{shown}: a line ends with white space, which Scoop's bucket tests refuse")


def check(folder, url, manifests=None):
    folder = os.path.abspath(folder)
    manifests = manifests or os.path.join(folder, "manifests")
    product = read_product()
    check_url(url, product["version"])
    release = read_release(folder, product["version"])
    archives = {name: (arch, digest) for arch, (name, digest) in release.items()}
    ident = product["identifier"]

    def load(kind, name):
        path = os.path.join(manifests, kind, name)
        shown = f"manifests/{kind}/{name}"
        if not os.path.isfile(path):
            raise Refusal(f"no {shown} in {folder}")
        # newline="": the text as written, line ends and all.
        with open(path, encoding="utf-8", newline="") as f:
            try:
                text = f.read()
                return (yaml.safe_load(text) if name.endswith(".yaml") else json.loads(text)), text, shown
            except (yaml.YAMLError, ValueError) as e:
                raise Refusal(f"{shown} is not {'YAML' if name.endswith('.yaml') else 'JSON'}: {e}") from None

    def archive_at(address, shown, arch):
        """The archive an address names, which must be RELEASE_URL plus one that
        is there, of the machine the manifest says."""
        name = address[len(url):] if address.startswith(url) else None
        if name not in archives:
            raise Refusal(f"{shown}: {address} is not RELEASE_URL ({url}) plus an archive in {folder}")
        if archives[name][0] != arch:
            raise Refusal(f"{shown}: {address} is the {archives[name][0]} archive, not the {arch} one")
        return name

    def same_hash(digest, name, shown):
        if digest.lower() != archives[name][1]:
            raise Refusal(f"{shown}: the hash given for {name} is not its SHA-256 (nor the one in SHA256SUMS)")

    def program_at_root(member, name, shown):
        if not at_root(folder, name, member):
            raise Refusal(f"{shown}: {member} is not a file at the root of {name}")

    # winget: three files of one package and version.
    documents = {}
    for kind, name in (("version", f"{ident}.yaml"), ("defaultLocale", f"{ident}.locale.{LOCALE}.yaml"),
                       ("installer", f"{ident}.installer.yaml")):
        document, text, shown = load("winget", name)
        validate(document, f"winget-{kind}.schema.json", shown)
        check_schema_header(text, kind, shown)
        if (document["PackageIdentifier"], document["PackageVersion"]) != (ident, product["version"]):
            raise Refusal(f"{shown}: not {ident} {product['version']}, which the version block names")
        documents[kind] = document
    if documents["version"]["DefaultLocale"] != documents["defaultLocale"]["PackageLocale"]:
        raise Refusal(f"manifests/winget/{ident}.yaml: its DefaultLocale has no defaultLocale file")
    installer = documents["installer"]
    shown = f"manifests/winget/{ident}.installer.yaml"
    by_arch = {winget_arch: arch for arch, winget_arch, _ in ARCHES}
    seen = set()
    for entry in installer["Installers"]:
        arch = by_arch.get(entry["Architecture"])
        if arch is None or arch in seen:
            raise Refusal(f"{shown}: an installer for {entry['Architecture']}, which the release has no archive "
                          f"of, or has twice")
        seen.add(arch)
        name = archive_at(entry["InstallerUrl"], shown, arch)
        same_hash(entry["InstallerSha256"], name, shown)
        for nested in installer["NestedInstallerFiles"]:
            program_at_root(nested["RelativeFilePath"], name, shown)
    if seen != set(release):
        raise Refusal(f"{shown}: not one installer for each archive of the release")

    # Scoop: one manifest whose autoupdate gives its own addresses back.
    scoop, text, shown = load("scoop", "clickpocket.json")
    check_crlf(text, shown)
    validate(scoop, "scoop.schema.json", shown)
    if scoop["version"] != product["version"]:
        raise Refusal(f"{shown}: version {scoop['version']}, not {product['version']}, which the version block names")
    for arch, _, scoop_arch in ARCHES:
        part = scoop["architecture"][scoop_arch]
        name = archive_at(part["url"], shown, arch)
        same_hash(part["hash"], name, shown)
        for shortcut in scoop.get("shortcuts", []) + part.get("shortcuts", []):
            program_at_root(shortcut[0], name, shown)
        # $version must stand wherever the address has the version: with any
        # other version put in, the address is this one's with that version.
        probe = "0.0.0.1"
        if (scoop["autoupdate"]["architecture"][scoop_arch]["url"].replace("$version", probe) !=
                version_pattern(scoop["version"]).sub(probe, part["url"])):
            raise Refusal(f"{shown}: autoupdate's {scoop_arch} address does not have $version wherever "
                          f"{part['url']} has {scoop['version']}")
    # checkver reads the product page, which links the current 64-bit archive.
    name = release["x86_64"][0]
    found = re.search(scoop["checkver"]["regex"], name)
    if not found or found.group(1) != scoop["version"]:
        raise Refusal(f"{shown}: checkver's regex does not find version {scoop['version']} in {name}")
    if scoop["autoupdate"]["hash"]["url"].replace("$baseurl", url.rstrip("/")) != url + "SHA256SUMS":
        raise Refusal(f"{shown}: autoupdate's hash is not read from the release's SHA256SUMS")


def main(argv):
    try:
        if len(argv) == 3 and argv[0] in ("write", "check"):
            (write if argv[0] == "write" else check)(argv[1], argv[2])
        elif len(argv) == 2 and argv[0] == "url":
            check_url(argv[1], read_product()["version"])
        else:
            print(__doc__.split("\n\n")[1], file=sys.stderr)
            return 2
    except Refusal as refusal:
        print(f"make manifests: {refusal}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
