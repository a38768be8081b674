#!/usr/bin/env python3
# Whole-run measurements, side by side on the same machine in one run:
#   1. the installer in a fresh folder against cp of its six output files;
#   2. `scenario compile` of the embedded scenario and of generated lines of
#      10, 100 and 1000 km, each against cp of its three outputs;
#   3. the in-process benchmark program.
# Every timed run starts after a sync, so that no earlier run's dirty pages are
# being written back under it; the cases are measured round after round, each
# program beside its cp, and the figure is the median. Prints one table.
# Called by bench/run.

import argparse
import json
import os
import platform
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

AQUI = os.path.dirname(os.path.abspath(__file__))


def esegui_misurato(argomenti, cartella):
    """Runs a program with no output; returns (wall seconds, cpu seconds, exit
    status). Spawned straight from here, so that nothing but the program is
    timed; the cpu time (user + system, from the kernel's own accounting) is
    the steadier figure when other work shares the machine."""
    nulla = os.open(os.devnull, os.O_RDWR)
    azioni = [(os.POSIX_SPAWN_DUP2, nulla, 0), (os.POSIX_SPAWN_DUP2, nulla, 1), (os.POSIX_SPAWN_DUP2, nulla, 2)]
    vecchia = os.getcwd()
    os.chdir(cartella)
    try:
        inizio = time.perf_counter_ns()
        pid = os.posix_spawnp(argomenti[0], argomenti, os.environ, file_actions=azioni)
        _, stato, uso = os.wait4(pid, 0)
        fine = time.perf_counter_ns()
    finally:
        os.chdir(vecchia)
        os.close(nulla)
    return (fine - inizio) / 1e9, uso.ru_utime + uso.ru_stime, os.waitstatus_to_exitcode(stato)


def picco_memoria(argomenti, cartella):
    """Peak resident memory of a run in KiB, under /usr/bin/time: a child spawned
    from this process would count this interpreter's pages until its exec."""
    misura = os.path.join(cartella, ".picco")
    subprocess.run(["/usr/bin/time", "-o", misura, "-f", "%M"] + argomenti, cwd=cartella,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(misura) as f:
        valore = int(f.read().split()[-1])
    os.remove(misura)
    return valore


def cartella_nuova(radice, nome):
    c = os.path.join(radice, nome)
    shutil.rmtree(c, ignore_errors=True)
    os.makedirs(c)
    return c


class confronto:
    """One program against cp of its outputs: how to run each, and the figures."""

    def __init__(self, nome, km, km_piano, dimensione):
        self.nome, self.km, self.km_piano, self.dimensione = nome, km, km_piano, dimensione
        self.tempi, self.picchi, self.tempi_cp, self.picchi_cp = [], [], [], []
        self.cpu, self.cpu_cp = [], []
        self.generata = False
        self.guasto = None
        self.prepara = lambda cartella: cartella
        self.comando = None
        self.file_da_copiare = []
        self.controlla = lambda cartella: None


def misura_programma(c, radice, primo):
    cartella = c.prepara(cartella_nuova(radice, "programma"))
    os.sync()
    t, cpu, codice = esegui_misurato(c.comando(cartella), cartella)
    if codice != 0 and c.guasto is None:
        c.guasto = f"exit status {codice}"
    if primo and codice == 0:
        c.controlla(cartella)
    c.tempi.append(t)
    c.cpu.append(cpu)
    shutil.rmtree(cartella)
    if primo:
        cartella = c.prepara(cartella_nuova(radice, "programma"))
        c.picchi.append(picco_memoria(c.comando(cartella), cartella))
        shutil.rmtree(cartella)


def misura_copia(c, radice, primo):
    cartella = cartella_nuova(radice, "copia")
    os.sync()
    t, cpu, _ = esegui_misurato(["cp"] + c.file_da_copiare + [cartella], cartella)
    c.tempi_cp.append(t)
    c.cpu_cp.append(cpu)
    shutil.rmtree(cartella)
    if primo:
        cartella = cartella_nuova(radice, "copia")
        c.picchi_cp.append(picco_memoria(["cp"] + c.file_da_copiare + [cartella], cartella))
        shutil.rmtree(cartella)


def misura_tutti(confronti, volte, radice):
    """Round after round, every case once, its program and its cp in turn
    (alternating which goes first): all the cases share the machine's changing
    load alike."""
    pronti = [c for c in confronti if c.guasto is None]
    for i in range(volte):
        for c in pronti:
            passi = (misura_programma, misura_copia) if i % 2 == 0 else (misura_copia, misura_programma)
            for passo in passi:
                passo(c, radice, i == 0)


def installatore(radice, build):
    eseguibile = os.path.join(build, "valmorana")
    riferimento = cartella_nuova(radice, "installatore_riferimento")
    shutil.copy2(eseguibile, riferimento)
    _, _, codice = esegui_misurato(["./valmorana"], riferimento)
    uscite = sorted(f for f in os.listdir(riferimento) if f != "valmorana")
    dimensione = sum(os.path.getsize(os.path.join(riferimento, f)) for f in uscite)
    c = confronto(f"installer ({len(uscite)} files)", 227.55, 234.55, dimensione)
    if codice != 0:
        errori = subprocess.run(["./valmorana"], cwd=riferimento, capture_output=True, text=True).stderr.strip()
        c.guasto = f"exit status {codice}: {errori.splitlines()[-1] if errori else ''}"
        return c
    atteso = {f: os.path.getsize(os.path.join(riferimento, f)) for f in uscite}

    def prepara(cartella):
        shutil.copy2(eseguibile, cartella)
        return cartella

    def controlla(cartella):
        trovati = {f: os.path.getsize(os.path.join(cartella, f)) for f in os.listdir(cartella) if f != "valmorana"}
        if trovati != atteso:
            c.guasto = "outputs differ from the reference run"

    c.prepara, c.comando, c.controlla = prepara, lambda cartella: ["./valmorana"], controlla
    c.file_da_copiare = [os.path.join(riferimento, f) for f in uscite]
    return c


def compilazione(radice, build, nome, km, linea, treno):
    scenario = os.path.join(build, "scenario")
    riferimento = cartella_nuova(radice, "compilato_" + nome.replace(" ", "_"))
    comando = lambda uscita: [scenario, "compile", linea, treno, "-o", uscita, "--quiet"]
    _, _, codice = esegui_misurato(comando(riferimento), radice)
    uscite = sorted(os.listdir(riferimento))
    dimensione = sum(os.path.getsize(os.path.join(riferimento, f)) for f in uscite)
    c = confronto(f"compile {nome}", km, km + 7, dimensione)
    if codice != 0 or not uscite:
        c.guasto = f"does not compile (exit status {codice})"
        return c
    c.comando = comando
    c.file_da_copiare = [os.path.join(riferimento, f) for f in uscite]
    return c


def banco_prova(build, radice, linee):
    """The in-process benchmarks: all on the 1000 km line, and the whole
    compilation on each generated line to show its cost per km."""
    programma = os.path.join(build, "valmorana_bench")
    if not os.path.exists(programma):
        return None, "valmorana_bench not built (Google Benchmark missing?)"
    risultati = []
    for nome, (km, linea, treno, tutto) in linee.items():
        filtro = "." if tutto else "BM_compila$|BM_compila_e_scrivi$"
        uscita = os.path.join(radice, f"banco_{km}.json")
        subprocess.run([programma, f"--benchmark_filter={filtro}", "--benchmark_format=json",
                        f"--benchmark_out={uscita}", "--benchmark_out_format=json", linea, treno],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        with open(uscita) as f:
            for b in json.load(f)["benchmarks"]:
                b["linea_km"] = km
                risultati.append(b)
    return risultati, None


def leggibile_rate(b):
    if "bytes_per_second" in b and b["bytes_per_second"] > 0:
        return f"{b['bytes_per_second'] / 1e6:9.1f} MB/s"
    if "items_per_second" in b:
        unita = "cells/s" if "passata" in b["name"] else "metres/s"
        return f"{b['items_per_second'] / 1e6:9.1f} M {unita}"
    return ""


def in_ms(b, chiave):
    fattore = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
    return b[chiave] * fattore


def stampa(confronti, banco, errore_banco, volte, radice):
    righe = []
    scrivi = righe.append
    carico = os.getloadavg()
    modello = ""
    try:
        with open("/proc/cpuinfo") as f:
            modello = next((l.split(":", 1)[1].strip() for l in f if l.startswith("model name")), "")
    except OSError:
        pass
    fs = subprocess.run(["findmnt", "-no", "FSTYPE", "-T", radice], capture_output=True, text=True).stdout.strip()
    scrivi(f"machine: nproc {os.cpu_count()} ({modello}), {platform.system()} {platform.release()}, "
           f"work folder on {fs}, load average {carico[0]:.2f} at the end")
    scrivi(f"conditions: warm page cache (inputs and programs read before), outputs not synced inside the timing, "
           f"a sync before every timed run, median of {volte} rounds over all cases, program and cp alternating")
    scrivi("")
    scrivi(f"{'whole runs':<22}{'MB out':>7}{'wall ms':>9}{'cp':>7}{'ratio':>7}{'cpu ms':>9}{'cp':>7}"
           f"{'ratio':>7}{'peak MiB':>10}{'cp':>6}{'cpu ms/km':>11}{'net ms/km':>11}{'step ms/km':>12}")
    precedente = None  # (km of plan, cpu ms) of the generated line before
    for c in confronti:
        if c.guasto and not c.tempi:
            scrivi(f"{c.nome:<22}  {c.guasto}")
            continue
        t, tc = statistics.median(c.tempi) * 1e3, statistics.median(c.tempi_cp) * 1e3
        u, uc = statistics.median(c.cpu) * 1e3, statistics.median(c.cpu_cp) * 1e3
        picco, picco_cp = max(c.picchi) / 1024, max(c.picchi_cp) / 1024
        nota = f"  {c.guasto}" if c.guasto else ""
        passo = ""
        if c.generata:
            if precedente is not None:
                passo = f"{(u - precedente[1]) / (c.km_piano - precedente[0]):12.4f}"
            precedente = (c.km_piano, u)
        scrivi(f"{c.nome:<22}{c.dimensione / 1e6:7.2f}{t:9.2f}{tc:7.2f}{t / tc:7.2f}{u:9.2f}{uc:7.2f}{u / uc:7.2f}"
               f"{picco:10.1f}{picco_cp:6.1f}{u / c.km:11.4f}{(u - uc) / c.km_piano:11.4f}{passo}{nota}")
    scrivi("  wall and cpu (user + system) are medians of the runs; ratio: program / cp of its outputs;")
    scrivi("  cpu ms/km: per km of line; net ms/km: (cpu - cp cpu) per km of plan, the line + 7 km;")
    scrivi("  step ms/km: growth of the program's cpu per km of plan from the generated line before, the cost of"
           " each further km once the run's fixed cost (its start, opening and creating files) is paid")
    scrivi("")
    if banco is None:
        scrivi(f"in process: {errore_banco}")
        return righe
    scrivi(f"{'in process (Google Benchmark)':<44}{'line km':>8}{'real ms':>10}{'cpu ms':>10}{'rate (cpu)':>20}"
           f"{'cpu ms/km':>11}{'step ms/km':>12}")
    precedenti = {}  # name -> (km of plan, cpu ms) on the line before
    for b in banco:
        if b.get("error_occurred"):
            scrivi(f"{b['name']:<44}{b['linea_km']:>8}  {b.get('error_message', 'failed')}")
            continue
        per_km = passo = ""
        if b["name"] in ("BM_compila", "BM_compila_e_scrivi"):
            km_piano, cpu = b["linea_km"] + 7, in_ms(b, "cpu_time")
            per_km = f"{cpu / km_piano:11.4f}"
            if b["name"] in precedenti:
                prima = precedenti[b["name"]]
                passo = f"{(cpu - prima[1]) / (km_piano - prima[0]):12.4f}"
            precedenti[b["name"]] = (km_piano, cpu)
        elif b["name"].startswith("BM_disegna_metri"):
            km = int(b["name"].split("km:")[1].split("/")[0])
            per_km = f"{in_ms(b, 'cpu_time') / (km + 7):11.4f}"
        sulla_linea = b["name"] in ("BM_compila", "BM_compila_e_scrivi", "BM_passata_finale") or b["name"].startswith("BM_scrivi")
        km_linea = b["linea_km"] if sulla_linea else ""
        scrivi(f"{b['name']:<44}{km_linea:>8}{in_ms(b, 'real_time'):10.3f}{in_ms(b, 'cpu_time'):10.3f}"
               f"{leggibile_rate(b):>20}{per_km}{passo}")
    scrivi("  BM_disegna_metri: drawing a plan of km + 7 km, straight (curve:0) or turning (curve:1); BM_compila"
           " (reading, plan stretches, pass, header; no files) and BM_compila_e_scrivi (the same, then the three"
           " files written) on each line; the other rows on the 1000 km line. cpu ms/km: per km of plan; step ms/km:"
           " growth per km of plan from the line before, the cost of each further km")
    return righe


def main():
    parser = argparse.ArgumentParser(description="whole-run and in-process measurements")
    parser.add_argument("--build", default="build", help="folder with valmorana, scenario, valmorana_bench")
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--work", help="work folder (default: a new temporary folder, removed at the end)")
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    radice = os.path.abspath(args.work) if args.work else tempfile.mkdtemp(prefix="valmorana_run_")
    os.makedirs(radice, exist_ok=True)
    try:
        generatore = os.path.join(AQUI, "generate-line")
        linee = {}
        embedded = os.path.join(radice, "embedded")
        subprocess.run([os.path.join(build, "scenario"), "sources", embedded], check=True)
        confronti = [installatore(radice, build)]
        confronti.append(compilazione(radice, build, "embedded", 227.55,
                                      os.path.join(embedded, "Valmorana_linea.txt"),
                                      os.path.join(embedded, "Valmorana_Corsola-.txt")))
        for km in (10, 100, 1000):
            cartella = os.path.join(radice, f"linea{km}")
            subprocess.run([generatore, str(km), cartella, f"Linea{km}"], check=True)
            linea = os.path.join(cartella, f"Linea{km}_linea.txt")
            treno = os.path.join(cartella, f"Linea{km}_Treno-.txt")
            linee[km] = (km, linea, treno, km == 1000)
            confronti.append(compilazione(radice, build, f"{km} km", km, linea, treno))
            confronti[-1].generata = True
        misura_tutti(confronti, args.runs, radice)
        banco, errore_banco = banco_prova(build, radice, linee)
        print("\n".join(stampa(confronti, banco, errore_banco, args.runs, radice)))
    finally:
        if not args.work:
            shutil.rmtree(radice, ignore_errors=True)


main()
